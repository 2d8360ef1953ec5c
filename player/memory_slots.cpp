// The five memory slots: whole playlists saved to mem1.lst ... mem5.lst in
// the current directory and recalled from them. default.lst is not touched.
#include <memory>
#include <utility>

#include "core/bounded_format.h"
#include "player/lumetto_dlg.h"
#include "player/mem_select.h"

namespace {

const char* const kSlotFiles[] = {"mem1.lst", "mem2.lst", "mem3.lst", "mem4.lst", "mem5.lst"};
const int kSlotCount = sizeof kSlotFiles / sizeof kSlotFiles[0];

}  // namespace

void CLumettoDlg::OnMemorize() {
    // A fresh dialog every time: it always opens on the first slot.
    auto pSelect = std::make_unique<CMemSelect>();
    if (pSelect->DoModal() != IDOK) return;
    // No checked button reads as -1; with automatic radio buttons one always
    // is, but a slot outside the five is never written.
    if (pSelect->m_nSlot < 0 || pSelect->m_nSlot >= kSlotCount) return;
    SaveListFile(kSlotFiles[pSelect->m_nSlot]);
}

void CLumettoDlg::RecallSlot(int nSlot) {
    char szName[kSlotFileNameSize];
    FormatSlotFileName(szName, "%s", kSlotFiles[nSlot]);
    LoadListFile(szName);
}

void CLumettoDlg::OnMemory1() { RecallSlot(0); }
void CLumettoDlg::OnMemory2() { RecallSlot(1); }
void CLumettoDlg::OnMemory3() { RecallSlot(2); }
void CLumettoDlg::OnMemory4() { RecallSlot(3); }
void CLumettoDlg::OnMemory5() { RecallSlot(4); }

bool CLumettoDlg::LoadListFile(const char* pszFileName) {
    // The slot is read whole before anything changes: a slot that cannot be
    // read leaves the playlist and playback as they are.
    std::vector<std::string> entries;
    DWORD dwError = 0;
    ListFileRead read = ReadListFile(pszFileName, entries, dwError);
    if (read == ListFileRead::kUnreadable) AfxMakeFileException(dwError, pszFileName).ReportError(MB_OK | MB_ICONSTOP);
    if (read != ListFileRead::kRead) return false;
    OnStop();
    OnClearAll();
    m_list.AppendBatch(std::move(entries));
    PlayTrack(0);
    return true;
}
