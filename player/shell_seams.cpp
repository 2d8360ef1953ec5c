#include "player/shell_seams.h"

namespace {

BOOL PlatformNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid) { return ::Shell_NotifyIconA(dwMessage, pnid); }

BOOL PlatformTrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner) {
    return ::TrackPopupMenu(hMenu, uFlags, x, y, 0, hOwner, nullptr);
}

NotifyIconFn g_pfnNotifyIcon = PlatformNotifyIcon;
TrackPopupMenuFn g_pfnTrackPopupMenu = PlatformTrackPopupMenu;

}  // namespace

BOOL LumettoNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid) { return g_pfnNotifyIcon(dwMessage, pnid); }

NotifyIconFn SetNotifyIconSeam(NotifyIconFn pfn) {
    NotifyIconFn pfnOld = g_pfnNotifyIcon;
    g_pfnNotifyIcon = pfn ? pfn : PlatformNotifyIcon;
    return pfnOld;
}

BOOL LumettoTrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner) {
    return g_pfnTrackPopupMenu(hMenu, uFlags, x, y, hOwner);
}

TrackPopupMenuFn SetTrackPopupMenuSeam(TrackPopupMenuFn pfn) {
    TrackPopupMenuFn pfnOld = g_pfnTrackPopupMenu;
    g_pfnTrackPopupMenu = pfn ? pfn : PlatformTrackPopupMenu;
    return pfnOld;
}
