#include "framework/wnd.h"
#include "framework/app.h"
#include "framework/ddx.h"
#include "framework/exceptions.h"

#include <commctrl.h>
#include <exception>
#include <new>
#include <shellapi.h>

namespace {

const char kWndProperty[] = "Afx.CWnd";

void EnsureCommonControls() {
    static bool bDone = false;
    if (bDone) return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    bDone = true;
}

// what() of a standard exception is narrow text in the program's own code
// page (the library's messages are plain ASCII, which every code page shares);
// an empty one gets the platform's text for an unspecified error.
CString ExceptionText(const std::exception& e) {
    const char* pszWhat = e.what();
    if (pszWhat == nullptr || *pszWhat == '\0') return AfxFormatSystemMessage(static_cast<DWORD>(E_FAIL));
    return CString(pszWhat);
}

}  // namespace

// ---- CWnd ------------------------------------------------------------------

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(::GetPropA(hWnd, kWndProperty)) : nullptr;
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kWndProperty, this);
}

void CWnd::SubclassForMessages(HWND hWnd) {
    Attach(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    UINT nCode = 0;
    UINT nID = 0;
    if (message == WM_COMMAND) {
        nCode = HIWORD(wParam);
        nID = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr == nullptr) return FALSE;
        nCode = pHdr->code;
        nID = static_cast<UINT>(pHdr->idFrom);
    }
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap; pMap = pMap->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY* p = pMap->lpEntries; p->pfn; ++p) {
            if (p->nMessage != message) continue;
            if ((message == WM_COMMAND || message == WM_NOTIFY) &&
                (p->nCode != nCode || nID < p->nID || nID > p->nLastID))
                continue;
            CurrentMessage saved = m_current;
            m_current = {message, wParam, lParam};
            // Restore on the way out even when the handler throws.
            struct Restore {
                CurrentMessage& cur;
                CurrentMessage old;
                ~Restore() { cur = old; }
            } restore{m_current, saved};
            *pResult = p->pfn(this, wParam, lParam);
            return TRUE;
        }
    }
    return FALSE;
}

void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (const CException& e) {
        e.ReportError(MB_OK | MB_ICONSTOP);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(AfxFormatSystemMessage(static_cast<DWORD>(E_OUTOFMEMORY)), MB_OK | MB_ICONSTOP);
    } catch (const std::exception& e) {
        // No handler may unwind through the platform's frames: that ends the process.
        AfxMessageBox(ExceptionText(e), MB_OK | MB_ICONSTOP);
    } catch (...) {
        AfxMessageBox(AfxFormatSystemMessage(static_cast<DWORD>(E_FAIL)), MB_OK | MB_ICONSTOP);
    }
    if (message == WM_NCDESTROY) {
        // The window is gone: the object outlives it and forgets the handle.
        ::RemovePropA(hWnd, kWndProperty);
        if (pWnd->m_pfnSuper) {
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        }
        pWnd->m_pfnSuper = nullptr;
        pWnd->m_hWnd = nullptr;
    }
    return result;
}

// ---- CDialog ---------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_WM_INITDIALOG(&CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::HandleOK)
    ON_COMMAND(IDCANCEL, &CDialog::HandleCancel)
END_MESSAGE_MAP(CWnd)

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;  // everything else arrives through AfxWndProc
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    pDlg->SubclassForMessages(hWnd);
    return static_cast<INT_PTR>(AfxWndProc(hWnd, message, wParam, lParam));
}

HWND CDialog::CreateFromTemplate(HWND hParent) {
    EnsureCommonControls();
    m_bEndModal = false;
    m_nModalResult = -1;
    HWND hWnd = ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hParent,
                                     &CDialog::AfxDlgProc, reinterpret_cast<LPARAM>(this));
    return hWnd;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    if (nIDTemplate != 0) m_nIDTemplate = nIDTemplate;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND hParent = nullptr;
    if (m_pParentWnd) {
        hParent = m_pParentWnd->m_hWnd;
    } else if (CWinApp* pApp = AfxGetApp(); pApp && pApp->m_pMainWnd && pApp->m_pMainWnd != this) {
        hParent = pApp->m_pMainWnd->m_hWnd;
    }
    bool bEnableParent = hParent && ::IsWindowEnabled(hParent);
    if (bEnableParent) ::EnableWindow(hParent, FALSE);

    m_bModal = true;
    if (CreateFromTemplate(hParent) != nullptr && m_hWnd != nullptr) {
        // Templates carry no WS_VISIBLE; a modal box is shown once it is built,
        // unless its initialisation already ended it.
        if (!m_bEndModal && !::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
        if (m_hWnd) {
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    }
    if (bEnableParent) ::EnableWindow(hParent, TRUE);
    if (hParent && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hParent);
    DestroyWindow();
    m_bModal = false;
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (!m_bEndModal && m_hWnd != nullptr) {
        BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bGot <= 0) {
            if (bGot == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!::IsDialogMessageA(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (msg.message == WM_LBUTTONDOWN) ReturnDefaultFrame();
    }
}

// Wine's dialog manager moves the default button's frame only along with the
// focus moves it makes itself (Tab, the arrow keys), so a click into another
// control left the frame on the last button tabbed to. A control focused by
// the mouse that is no push button gets it back to the default button, as a
// Tab there would; Enter there presses the default button either way. Edit
// controls are left alone: WM_NEXTDLGCTL would select their text.
void CDialog::ReturnDefaultFrame() {
    HWND hFocus = ::GetFocus();
    if (hFocus == nullptr || !::IsChild(m_hWnd, hFocus)) return;
    LRESULT nCode = ::SendMessageA(hFocus, WM_GETDLGCODE, 0, 0);
    if (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_HASSETSEL)) return;
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hFocus), TRUE);
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEndModal = true;
    if (m_hWnd == nullptr) return;
    if (m_bModal) {
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop if it is waiting
    } else {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
