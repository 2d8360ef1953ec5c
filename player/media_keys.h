// Where the media keys come from: Quistel's hook in the program, a scripted
// source in the tests.
#pragma once
#include <windows.h>

struct MediaKeySource {
    int (*setHook)(HWND hWnd);
    LONGLONG (*getKeyCD)();
    int (*IsUpdate)();
};

// The keyboard's media keys, as Quistel records their virtual-key codes.
const LONGLONG kMediaNextTrack = 176;
const LONGLONG kMediaPrevTrack = 177;
const LONGLONG kMediaStop = 178;
const LONGLONG kMediaPlayPause = 179;

const MediaKeySource& CurrentMediaKeySource();
// Replaces the source; nullptr restores Quistel's.
void SetMediaKeySourceSeam(const MediaKeySource* pSource);
