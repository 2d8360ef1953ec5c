#include "core/sorted_add.h"

size_t SortedAddPosition(const std::vector<const std::string*>& keys, const std::string& key) {
    // Both bounds inside the range, as the control keeps them: the first probe
    // of four entries is entry 1.
    std::ptrdiff_t min = 0;
    std::ptrdiff_t max = static_cast<std::ptrdiff_t>(keys.size()) - 1;
    while (min <= max) {
        std::ptrdiff_t index = (min + max) / 2;
        int res = keys[static_cast<size_t>(index)]->compare(key);
        if (res == 0) return static_cast<size_t>(index);
        if (res > 0)
            max = index - 1;
        else
            min = index + 1;
    }
    return static_cast<size_t>(min);
}

std::vector<size_t> SortedAddOrder(const std::vector<std::string>& existing, const std::vector<std::string>& added) {
    std::vector<size_t> order;
    std::vector<const std::string*> keys;
    order.reserve(existing.size() + added.size());
    keys.reserve(existing.size() + added.size());
    for (size_t i = 0; i < existing.size(); ++i) {
        order.push_back(i);
        keys.push_back(&existing[i]);
    }
    for (size_t i = 0; i < added.size(); ++i) {
        size_t at = SortedAddPosition(keys, added[i]);
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), existing.size() + i);
        keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), &added[i]);
    }
    return order;
}
