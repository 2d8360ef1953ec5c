#include "player/lumetto_app.h"

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

    CLumettoDlg* pDlg = new CLumettoDlg();
    m_pMainWnd = pDlg;
    if (!cmdInfo.m_strFileName.IsEmpty()) pDlg->m_strStartPath = cmdInfo.m_strFileName;
    pDlg->DoModal();

    m_pMainWnd = nullptr;
    delete pDlg;
    return FALSE;
}
