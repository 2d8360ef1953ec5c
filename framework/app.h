// CWinApp (the application object), the command-line record, and the
// application-wide helpers: the application name and the message box.
#pragma once
#include <windows.h>
#include <string>
#include "framework/afxstr.h"
#include "framework/ansi_path.h"

class CWnd;

// The command-line record: only the first argument that is not a switch is kept.
class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;
    // pszParam without its leading '/' or '-' when bFlag is set.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);
    // An argument that is no switch and that no 8-bit path can name (why says why).
    virtual void ParseUnreachableParam(const wchar_t* pszParam, AnsiPathResult why, BOOL bLast);

    CString m_strFileName;
    // The first argument was a path that no 8-bit path reaches: kept here for
    // the user to be told, and no later argument takes its place.
    std::wstring m_strUnreachableFileName;
    AnsiPathResult m_unreachableWhy = AnsiPathResult::kExact;
};

// Splits a command line the way the platform does for argv (blanks separate,
// double quotes group) and feeds every argument after the program's name.
// A path the code page cannot hold is handed on in its short form, checked
// to open the same file, never with look-alike letters.
void AfxParseCommandLine(const wchar_t* pszCommandLine, CCommandLineInfo& rCmdInfo);

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    // Message loop of the application's own; entered only when InitInstance returns TRUE.
    virtual int Run();
    virtual int ExitInstance();

    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Three-dimensional dialog controls: every supported Windows draws them so
    // already, so there is nothing left to switch on.
    BOOL Enable3dControlsStatic() { return TRUE; }

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;  // the executable's file name without folder and extension
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// Executable name without folder and extension (taken from the module's own path).
CString AfxGetAppName();
// Winsock 1.1 start-up; FALSE when the library failed or refused exactly 1.1.
BOOL AfxSocketInit();

// Message box owned by the main window and captioned with the application name.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK);

// Replaceable so tests can see message boxes without a nested modal loop.
using AfxMessageBoxFn = int (*)(HWND hOwner, const char* pszText, const char* pszCaption, UINT nType);
AfxMessageBoxFn AfxSetMessageBoxSeam(AfxMessageBoxFn pfn);

// Entry used by WinMain.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
