// The process entry: hands over to the one application object.
#include "framework/app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) { return AfxWinMain(hInstance, nCmdShow); }
