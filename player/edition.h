// What this build of the player contains. The compact edition
// (LUMETTO_COMPACT) is built from the same sources; each switch below names
// one way in which it differs, so every difference can be found by its name.
#pragma once

#if defined(LUMETTO_COMPACT)
#define LUMETTO_MEDIA_KEYS 0            // no Quistel, no key poll
#define LUMETTO_MEMORY_SLOTS 0          // no slot buttons, no slot dialog
#define LUMETTO_BALLOON 0               // no balloon at a track start
#define LUMETTO_FIRST_ICON_RECORD 1     // the 88-byte icon record, flags 7 on every update
#define LUMETTO_TIMER_PER_TRACK 1       // the tick runs only while a track is current
#define LUMETTO_STOP_REMEMBERS_ENTRY 0  // previous/next from stopped go to the last/first entry
#define LUMETTO_PLAY_RESUMES_ENTRY 0    // play without a selection always starts entry 0
#define LUMETTO_SHOW_TO_FRONT 0         // showing the window does not ask for the foreground
#define LUMETTO_STDIO_LIST_READER 1     // default.lst read with fopen/fgets
#else
#define LUMETTO_MEDIA_KEYS 1
#define LUMETTO_MEMORY_SLOTS 1
#define LUMETTO_BALLOON 1
#define LUMETTO_FIRST_ICON_RECORD 0
#define LUMETTO_TIMER_PER_TRACK 0
#define LUMETTO_STOP_REMEMBERS_ENTRY 1
#define LUMETTO_PLAY_RESUMES_ENTRY 1
#define LUMETTO_SHOW_TO_FRONT 1
#define LUMETTO_STDIO_LIST_READER 0
#endif
