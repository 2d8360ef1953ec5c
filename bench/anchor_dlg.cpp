// Anchor for the start-up benchmark: the least a dialog program of the
// player's kind does before its window shows. One modal dialog built from a
// template of the main window's size, style and font, with a list box, a
// trackbar and a button, and nothing else: no sockets, no COM, no media
// graph, no hook, no notification icon, no list file. scripts/bench.sh starts
// it exactly as it starts the player and times it the same way.
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK AnchorDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(1), nullptr, &AnchorDlgProc, 0);
    return 0;
}
