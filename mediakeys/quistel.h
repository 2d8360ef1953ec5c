// Quistel: remembers the last key pressed anywhere on the desktop so that a
// program can collect it later. Every process that loads the library sees
// the same flag and code. The player binds these by ordinal:
//   1 setHook   2 unsetHook   3 getKeyCD   4 IsUpdate
#pragma once
#include <windows.h>

#ifdef QUISTEL_BUILDING
#define QUISTEL_API extern "C" __declspec(dllexport)
#else
#define QUISTEL_API extern "C" __declspec(dllimport)
#endif

// Installs the desktop-wide low-level keyboard hook on the calling thread,
// which must run a message loop. 1 when installed; 0 after telling the user.
QUISTEL_API int setHook(HWND hWnd);
// Removes the hook of the last setHook; the platform's result (0 on failure).
QUISTEL_API int unsetHook();
// The last recorded key-down's virtual-key code; clears the update flag.
QUISTEL_API LONGLONG getKeyCD();
// 1 when a key-down was recorded since the last getKeyCD, else 0.
QUISTEL_API int IsUpdate();
