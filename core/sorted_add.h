// Where a sorted list box's "add" puts a new entry. The control looks for the
// place by a binary search over its entries as they stand, which need not be
// in order (entries appended or moved by hand), and stops at the first entry
// that compares equal. Replaying that search on keys instead of the control
// gives the very positions a run of adds one after another would give.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The position the control's search gives for key among keys (compared as
// byte strings, in the order of the control's comparison).
size_t SortedAddPosition(const std::vector<const std::string*>& keys, const std::string& key);

// The order after adding every key of added, one after another, to existing:
// each item is an index, below existing.size() for an existing entry, else
// existing.size() + its index in added.
std::vector<size_t> SortedAddOrder(const std::vector<std::string>& existing, const std::vector<std::string>& added);
