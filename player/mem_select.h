// CMemSelect: the small modal dialog in which the user picks the memory slot
// the playlist is saved to. Slot 0 ("メモリ1") is checked when it opens.
#pragma once
#include "framework/ddx.h"
#include "framework/msgmap.h"
#include "framework/wnd.h"
#include "res/resource.h"

class CMemSelect : public CDialog {
public:
    enum { IDD = IDD_MEMSELECT };

    // No parent: the box is modal to the application's main window.
    CMemSelect() : CDialog(IDD), m_nSlot(0) {}

    // The chosen slot, 0 to 4 (-1 if no button was checked).
    int m_nSlot;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnBnClickedOk();

    DECLARE_MESSAGE_MAP()
};
