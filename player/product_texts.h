// Texts that name the product on screen.
#pragma once

// Caption of the main window; a second start finds the running copy by it.
#define LUMETTO_MAIN_CAPTION "Harkel's Lumetto"
// The status line at start-up and after every stop.
#if defined(LUMETTO_COMPACT)
#define LUMETTO_VERSION_STRING "Harkel's Lumetto Version 0.23 (May 16th 2003)"
#else
#define LUMETTO_VERSION_STRING "Harkel's Lumetto Version 1.13 (July 1st 2012)"
#endif
// The time field while stopped.
#define LUMETTO_TIME_STOPPED "停止"
// The notification icon's tip while stopped.
#define LUMETTO_TIP_STOPPED "停止中"
// Playlist file written at exit and read at start-up.
#define LUMETTO_DEFAULT_LIST "default.lst"
// The balloon title announcing a new track.
#define LUMETTO_BALLOON_TITLE "再生中のファイル"
