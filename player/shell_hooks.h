// Replaceable entry points to the shell, so tests can record what the window
// sends without a notification area or a menu loop. The shipped program uses
// the real calls.
#pragma once
#include <windows.h>
#include <shellapi.h>

using NotifyIconFn = BOOL (*)(DWORD dwMessage, NOTIFYICONDATAA* pnid);
using TrackPopupMenuFn = BOOL (*)(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner);

// Sends an icon record (NIM_ADD, NIM_MODIFY, NIM_DELETE) through the current hook.
BOOL LumettoNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid);
// Returns the previous hook; nullptr restores Shell_NotifyIconA.
NotifyIconFn SetNotifyIconHook(NotifyIconFn pfn);

// Shows a pop-up menu and returns when it closes; the chosen command reaches hOwner.
BOOL LumettoTrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner);
// Returns the previous hook; nullptr restores TrackPopupMenu.
TrackPopupMenuFn SetTrackPopupMenuHook(TrackPopupMenuFn pfn);
