// Thin wrappers over the list box, trackbar and menu: a handle and one message each.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <map>
#include <memory>
#include "framework/afxstr.h"
#include "framework/exceptions.h"
#include "framework/wnd.h"

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    // -1 clears the selection.
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, nSelect)); }
    int GetTextLen(int nIndex) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, nIndex)); }
    // All bytes of the entry; an index with no entry raises the invalid-argument error.
    void GetText(int nIndex, CString& rString) const {
        int nLen = GetTextLen(nIndex);
        if (nLen == LB_ERR) AfxThrowInvalidArgException();
        int nGot = static_cast<int>(SendMessage(LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(rString.GetBuffer(nLen))));
        rString.ReleaseBuffer(nGot == LB_ERR ? 0 : nGot);
    }
    int AddString(const char* psz) {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz)));
    }
    // -1 appends.
    int InsertString(int nIndex, const char* psz) {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, nIndex, reinterpret_cast<LPARAM>(psz)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, cxExtent); }
};

class CSliderCtrl : public CWnd {
public:
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
    int SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
};

// Owns the menu it loads; sub-menu wrappers returned by GetSubMenu own nothing.
class CMenu {
public:
    CMenu() = default;
    explicit CMenu(HMENU hMenu, bool bOwns) : m_hMenu(hMenu), m_bOwns(bOwns) {}
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    CMenu* GetSubMenu(int nPos);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* pszNewItem = nullptr) {
        return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, pszNewItem);
    }
    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }

    HMENU m_hMenu = nullptr;

private:
    bool m_bOwns = false;
    std::map<int, std::unique_ptr<CMenu>> m_subMenus;
};
