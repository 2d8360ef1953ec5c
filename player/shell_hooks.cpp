#include "player/shell_hooks.h"

namespace {

BOOL PlatformNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid) { return ::Shell_NotifyIconA(dwMessage, pnid); }

NotifyIconFn g_pfnNotifyIcon = PlatformNotifyIcon;

}  // namespace

BOOL LumettoNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid) { return g_pfnNotifyIcon(dwMessage, pnid); }

NotifyIconFn SetNotifyIconHook(NotifyIconFn pfn) {
    NotifyIconFn pfnOld = g_pfnNotifyIcon;
    g_pfnNotifyIcon = pfn ? pfn : PlatformNotifyIcon;
    return pfnOld;
}
