// Replaceable entry points to the shell, so tests can record what the window
// sends without a notification area or a menu loop. The shipped program uses
// the real calls.
#pragma once
#include <windows.h>
#include <shellapi.h>

using NotifyIconFn = BOOL (*)(DWORD dwMessage, NOTIFYICONDATAA* pnid);
using TrackPopupMenuFn = BOOL (*)(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner);

// Sends an icon record (NIM_ADD, NIM_MODIFY, NIM_DELETE) through the current seam.
BOOL LumettoNotifyIcon(DWORD dwMessage, NOTIFYICONDATAA* pnid);
// Returns the previous seam; nullptr restores Shell_NotifyIconA.
NotifyIconFn SetNotifyIconSeam(NotifyIconFn pfn);

// Shows a pop-up menu and returns when it closes; the chosen command reaches hOwner.
BOOL LumettoTrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, HWND hOwner);
// Returns the previous seam; nullptr restores TrackPopupMenu.
TrackPopupMenuFn SetTrackPopupMenuSeam(TrackPopupMenuFn pfn);
