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
// Files an intake left out because no 8-bit path reaches them: the count, then one line per reason.
#define LUMETTO_TEXT_FILES_NOT_ADDED " 個のファイルを追加できませんでした。"
#define LUMETTO_TEXT_WHY_NO_SHORT_NAME "名前をこのシステムの文字コードで表せず、短い名前 (8.3 形式) もないもの"
#define LUMETTO_TEXT_WHY_SHORT_NAME_TAKEN "短い名前 (8.3 形式) が同じフォルダーの別のファイルと重なるもの"
// A start path that no 8-bit path reaches; the path and the reason follow.
#define LUMETTO_TEXT_START_PATH_UNREACHABLE "起動時に指定されたファイルまたはフォルダーを開けませんでした:"
#define LUMETTO_TEXT_START_PATH_NO_SHORT_NAME \
    "名前をこのシステムの文字コードで表せず、短い名前 (8.3 形式) もありません。"
#define LUMETTO_TEXT_START_PATH_SHORT_NAME_TAKEN "短い名前 (8.3 形式) が同じフォルダーの別のファイルと重なっています。"
// The exit keeps a default.lst that could not be read at start-up; the file's path follows.
#define LUMETTO_TEXT_PLAYLIST_NOT_SAVED \
    "起動時に読み込めなかったため、プレイリストを次のファイルに保存しませんでした (ファイルは元のまま残してあります):"
