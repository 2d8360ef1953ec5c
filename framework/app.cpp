#include "framework/app.h"
#include "framework/wnd.h"

#include <shellapi.h>
#include <winsock2.h>
#include <vector>

namespace {

CWinApp* g_pApp = nullptr;
bool g_bSocketsStarted = false;

int PlatformMessageBox(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType) {
    return ::MessageBoxA(hOwner, pszText, pszCaption, nType);
}

AfxMessageBoxFn g_pfnMessageBox = PlatformMessageBox;

// The longest path the platform handles (32,767 UTF-16 units), as double-byte text.
const size_t kLongestPathBytes = 32768 * 2;

}  // namespace

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL /*bLast*/) {
    if (!bFlag && m_strFileName.IsEmpty() && m_strUnreachableFileName.empty()) m_strFileName = pszParam;
}

void CCommandLineInfo::ParseUnreachableParam(const wchar_t* pszParam, AnsiPathResult why, BOOL /*bLast*/) {
    if (!m_strFileName.IsEmpty() || !m_strUnreachableFileName.empty()) return;
    m_strUnreachableFileName = pszParam;
    m_unreachableWhy = why;
}

void AfxParseCommandLine(const wchar_t* pszCommandLine, CCommandLineInfo& rCmdInfo) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(pszCommandLine, &argc);
    if (argv == nullptr) return;
    for (int i = 1; i < argc; ++i) {
        const wchar_t* pwsz = argv[i];
        BOOL bLast = i + 1 == argc;
        if (pwsz[0] == L'-' || pwsz[0] == L'/') {
            rCmdInfo.ParseParam(WideToAnsiForDisplay(std::wstring(pwsz + 1)).c_str(), TRUE, bLast);
            continue;
        }
        std::string param;
        AnsiPathResult result = AnsiPathFor(pwsz, param);
        if (result == AnsiPathResult::kExact || result == AnsiPathResult::kShortName)
            rCmdInfo.ParseParam(param.c_str(), FALSE, bLast);
        else
            rCmdInfo.ParseUnreachableParam(pwsz, result, bLast);
    }
    ::LocalFree(argv);
}

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    if (g_bSocketsStarted) {
        ::WSACleanup();
        g_bSocketsStarted = false;
    }
    return 0;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) { AfxParseCommandLine(::GetCommandLineW(), rCmdInfo); }

CWinApp* AfxGetApp() { return g_pApp; }

HINSTANCE AfxGetInstanceHandle() {
    return (g_pApp && g_pApp->m_hInstance) ? g_pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

CString AfxGetAppName() {
    if (g_pApp && !g_pApp->m_strAppName.IsEmpty()) return g_pApp->m_strAppName;
    // The path may be far longer than MAX_PATH: the buffer grows until the
    // platform no longer fills it to the end (its sign of a cut path).
    std::vector<char> path(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return CString();
        if (n < path.size()) break;
        if (path.size() >= kLongestPathBytes) return CString();
        path.resize(path.size() * 2);
    }
    // File name after the last separator, without what follows its last dot.
    const char* pszName = path.data();
    for (const char* p = path.data(); *p; p = ::CharNextA(p))
        if (*p == '\\' || *p == '/' || *p == ':') pszName = p + 1;
    const char* pszDot = nullptr;
    for (const char* p = pszName; *p; p = ::CharNextA(p))
        if (*p == '.') pszDot = p;
    return pszDot ? CString(pszName, static_cast<int>(pszDot - pszName)) : CString(pszName);
}

BOOL AfxSocketInit() {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(1, 1), &data) != 0) return FALSE;
    if (data.wVersion != MAKEWORD(1, 1)) {
        ::WSACleanup();
        return FALSE;
    }
    g_bSocketsStarted = true;
    return TRUE;
}

int AfxMessageBox(const char* pszText, UINT nType) {
    HWND hOwner = nullptr;
    if (g_pApp && g_pApp->m_pMainWnd) hOwner = g_pApp->m_pMainWnd->GetSafeHwnd();
    CString strCaption = AfxGetAppName();
    return g_pfnMessageBox(hOwner, pszText, strCaption, nType);
}

AfxMessageBoxFn AfxSetMessageBoxSeam(AfxMessageBoxFn pfn) {
    AfxMessageBoxFn pfnOld = g_pfnMessageBox;
    g_pfnMessageBox = pfn ? pfn : PlatformMessageBox;
    return pfnOld;
}

int AfxWinMain(HINSTANCE hInstance, int /*nCmdShow*/) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_strAppName = AfxGetAppName();
    if (!pApp->InitInstance()) return pApp->ExitInstance();
    return pApp->Run();
}
