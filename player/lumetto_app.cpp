#include "player/lumetto_app.h"

#include <string>

#include "player/edition.h"
#include "player/lumetto_dlg.h"
#include "player/product_texts.h"
#include "res/resource.h"

CLumettoApp theApp;

BOOL CLumettoApp::InitInstance() {
    if (!AfxSocketInit()) {
        char szText[256] = "";
        ::LoadStringA(m_hInstance, IDP_SOCKETS_INIT_FAILED, szText, sizeof szText);
        AfxMessageBox(szText, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }

#if defined(LUMETTO_COMPACT)
    Enable3dControlsStatic();  // the compact edition asks; nothing depends on the answer
#endif

    // One copy per executable name: the mutex is held until the process ends.
    ::CreateMutexA(nullptr, TRUE, m_strAppName);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        HWND hRunning = ::FindWindowA(nullptr, LUMETTO_MAIN_CAPTION);
        if (hRunning != nullptr) ::SetForegroundWindow(hRunning);
        return FALSE;
    }

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // A start path no 8-bit path reaches is not replaced by a look-alike:
    // the user is told, and the run goes on as without one.
    if (!cmdInfo.m_strUnreachableFileName.empty()) {
        std::string text = LUMETTO_TEXT_START_PATH_UNREACHABLE "\n";
        text += WideToAnsiForDisplay(cmdInfo.m_strUnreachableFileName) + "\n";
        text += cmdInfo.m_unreachableWhy == AnsiPathResult::kShortNameTaken ? LUMETTO_TEXT_START_PATH_SHORT_NAME_TAKEN
                                                                            : LUMETTO_TEXT_START_PATH_NO_SHORT_NAME;
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }

    CLumettoDlg* pDlg = new CLumettoDlg();
    m_pMainWnd = pDlg;
    if (!cmdInfo.m_strFileName.IsEmpty()) pDlg->m_strStartPath = cmdInfo.m_strFileName;
    pDlg->DoModal();

    m_pMainWnd = nullptr;
    delete pDlg;
    return FALSE;
}
