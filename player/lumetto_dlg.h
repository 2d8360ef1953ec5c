// CLumettoDlg: the main window, owner of the playlist, the current-track
// indexes, the notification icon record and the tray menu.
#pragma once
#include <windows.h>
#include <dshow.h>
#include <shellapi.h>

#include "framework/ansi_path.h"
#include "framework/controls.h"
#include "framework/ddx.h"
#include "framework/file.h"
#include "framework/wnd.h"
#include "player/edition.h"
#include "player/playlist_box.h"
#include "res/resource.h"

// Callback message of the notification icon.
const UINT WM_TRAYNOTIFY = WM_APP + 100;
// Posted at start-up when default.lst exists but could not be read; wParam is the system's error.
const UINT WM_LISTFILEERROR = WM_APP + 101;
// Posted at start-up when the start path's intake left files out (m_unreachable counts them).
const UINT WM_UNREACHABLEPATHS = WM_APP + 102;

enum class ListFileRead { kRead, kMissing, kUnreadable };
// Reads every entry of the named list file. kMissing when there is no such
// file; kUnreadable (the system's error in dwError, no entries) when it
// exists but could not be opened or read whole.
ListFileRead ReadListFile(const char* pszFileName, std::vector<std::string>& entries, DWORD& dwError);

#if LUMETTO_FIRST_ICON_RECORD
// The notification icon record in its first version: no balloon fields and
// a 64-byte tip (88 bytes in all on 32-bit Windows).
struct NotifyIconRecordV1 {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};
static_assert(sizeof(NotifyIconRecordV1) == NOTIFYICONDATAA_V1_SIZE, "first-version icon record");
using NotifyIconRecord = NotifyIconRecordV1;
#else
using NotifyIconRecord = NOTIFYICONDATAA;
#endif

class CLumettoDlg : public CDialog {
public:
    enum { IDD = IDD_MAIN };

    explicit CLumettoDlg(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

    // Writes the whole playlist to the named list file (CR LF after every entry).
    // The file is replaced only once everything was written; raises CFileException on failure.
    void SaveListFile(const char* pszFileName);

    CString m_strStartPath;
    CSliderCtrl m_slider;
    CPlaylistBox m_list;
    CString m_strStatus;
    CString m_strTime;
    HICON m_hIcon;
    NotifyIconRecord m_nid;
    CMenu m_menuTray;
    CMenu* m_pTrayMenu;
    int m_nCurrent;
#if LUMETTO_STOP_REMEMBERS_ENTRY
    int m_nLastPlayed;
#endif
    CString m_strCurrentPath;
#if !LUMETTO_TIMER_PER_TRACK
    int m_nTimerId;
#endif
    IMediaControl* m_pControl;
    IMediaEvent* m_pEvent;
    IGraphBuilder* m_pGraph;
    IMediaSeeking* m_pSeeking;
    // Entries in a row whose graph gave no positions; playback stops when it reaches the count.
    int m_nUnplayableInARow;
    // default.lst exists but could not be read at start-up: the exit leaves it as it is.
    bool m_bKeepDefaultList;
    // The playlist's change count once the start-up intake was done.
    unsigned m_nListChangesAtStart;
    // The Windows session is ending: no message box can be shown any more.
    bool m_bSessionEnding;
    // Files an intake could not take in because no 8-bit path reaches them; told once per intake.
    UnreachablePaths m_unreachable;

    // Plays playlist entry nIndex on a newly built graph; an index with no
    // entry raises the invalid-argument error. Always TRUE.
    BOOL PlayTrack(int nIndex);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Transport.
    void OnPlay();
    void OnStop();
    void OnPrev();
    void OnNext();
    void OnDblclkPlaylist();
    void AdvanceAtTrackEnd();

    // Media graph.
    void CreateGraph();
    void StopGraph();
    void ReleaseGraph();
    void RebuildGraphForEntry(int nIndex);

    // Progress tick and seek slider.
    void StartProgressTimer();
#if LUMETTO_TIMER_PER_TRACK
    void StopProgressTimer();
#endif
    void OnTimer(UINT_PTR nIDEvent);
    void TickProgress();
    void SetSliderForNewTrack();
    void OnReleasedCaptureSeek(NMHDR* pNMHDR, LRESULT* pResult);

    // Playlist editing.
    void OnDelete();
    void OnClearAll();
    void OnMoveUp();
    void OnMoveDown();

    // Start-up intake: fills the playlist; TRUE when something was loaded.
    BOOL LoadStartupTracks();
    // The start path's tracks; TRUE when they count as loaded.
    BOOL LoadStartPath();
    // Appends the lines of default.lst; TRUE when at least one line was read.
    BOOL LoadDefaultList();
    // WM_LISTFILEERROR: wParam is the system's error.
    LRESULT OnListFileError(WPARAM wParam, LPARAM lParam);
    // Writes default.lst at the end of the run, unless it must be kept; a failure is reported.
    void SaveDefaultList();

    // Track intake.
    // Adds the folder's MP3 files, then its WAV files, by the sorted add;
    // TRUE when the MP3 search found something.
    BOOL AddFolderTracks(const char* pszFolder);
    void OnDropFiles(HDROP hDrop);
    // Tells the user how many files the last intake left out, and why.
    void ReportUnreachablePaths();
    LRESULT OnUnreachablePaths(WPARAM wParam, LPARAM lParam);

    // Shell presence.
    void AddAboutToSystemMenu();
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void ShowMainWindow(BOOL bShow);
    void OnHide();
    // WM_TRAYNOTIFY: lParam is the mouse message.
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnEndSession(BOOL bEnding);

#if LUMETTO_MEMORY_SLOTS
    // Memory slots.
    void OnMemorize();
    void OnMemory1();
    void OnMemory2();
    void OnMemory3();
    void OnMemory4();
    void OnMemory5();
    void RecallSlot(int nSlot);
    // Replaces the playlist by the named list file and plays its first entry;
    // false (and nothing changed) when the file cannot be read, which is
    // reported unless the file does not exist.
    bool LoadListFile(const char* pszFileName);
#endif

#if LUMETTO_MEDIA_KEYS
    // Media keys.
    void InstallMediaKeyHook();
    void PollMediaKeys();
#endif

    // Notification icon updates.
    void AddNotifyIcon();
#if LUMETTO_BALLOON
    void ShowTrackBalloon(const char* pszTitle);
    void ResendIconAfterStop();
#endif
    void UpdateTip(const char* pszTip);
    void UpdateTipStopped();
    void DeleteNotifyIcon();

    DECLARE_MESSAGE_MAP()
};
