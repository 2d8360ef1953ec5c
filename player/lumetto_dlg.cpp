#include "player/lumetto_dlg.h"

#include "framework/app.h"
#include "player/product_texts.h"
#include "player/shell_seams.h"
#include <objbase.h>

CLumettoDlg::CLumettoDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_strTime(LUMETTO_TIME_STOPPED),
      m_hIcon(::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_nid(),
      m_pTrayMenu(nullptr),
      m_nCurrent(-1),
#if LUMETTO_STOP_REMEMBERS_ENTRY
      m_nLastPlayed(-1),
#endif
#if !LUMETTO_TIMER_PER_TRACK
      m_nTimerId(1),
#endif
      m_pControl(nullptr),
      m_pEvent(nullptr),
      m_pGraph(nullptr),
      m_pSeeking(nullptr),
      m_nUnplayableInARow(0),
      m_bKeepDefaultList(false),
      m_nListChangesAtStart(0),
      m_bSessionEnding(false) {
}

void CLumettoDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEEK, m_slider);
    DDX_Control(pDX, IDC_PLAYLIST, m_list);
    DDX_Text(pDX, IDC_STATUS, m_strStatus);
    DDX_Text(pDX, IDC_TIME, m_strTime);
}

BEGIN_MESSAGE_MAP(CLumettoDlg, CDialog)
    ON_WM_SYSCOMMAND(&CLumettoDlg::OnSysCommand)
    ON_WM_PAINT(&CLumettoDlg::OnPaint)
    ON_WM_QUERYDRAGICON(&CLumettoDlg::OnQueryDragIcon)
    ON_LBN_DBLCLK(IDC_PLAYLIST, &CLumettoDlg::OnDblclkPlaylist)
    ON_BN_CLICKED(IDC_HIDE, &CLumettoDlg::OnHide)
    ON_WM_TIMER(&CLumettoDlg::OnTimer)
    ON_BN_CLICKED(IDC_PLAY, &CLumettoDlg::OnPlay)
    ON_BN_CLICKED(IDC_STOP, &CLumettoDlg::OnStop)
    ON_BN_CLICKED(IDC_DELETE, &CLumettoDlg::OnDelete)
    ON_BN_CLICKED(IDC_CLEARALL, &CLumettoDlg::OnClearAll)
    ON_BN_CLICKED(IDC_PREV, &CLumettoDlg::OnPrev)
    ON_BN_CLICKED(IDC_NEXT, &CLumettoDlg::OnNext)
    ON_BN_CLICKED(IDC_UP, &CLumettoDlg::OnMoveUp)
    ON_BN_CLICKED(IDC_DOWN, &CLumettoDlg::OnMoveDown)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SEEK, &CLumettoDlg::OnReleasedCaptureSeek)
    ON_WM_DROPFILES(&CLumettoDlg::OnDropFiles)
    ON_MESSAGE(WM_TRAYNOTIFY, &CLumettoDlg::OnTrayNotify)
    ON_WM_ENDSESSION(&CLumettoDlg::OnEndSession)
    ON_MESSAGE(WM_LISTFILEERROR, &CLumettoDlg::OnListFileError)
    ON_MESSAGE(WM_UNREACHABLEPATHS, &CLumettoDlg::OnUnreachablePaths)
#if LUMETTO_MEMORY_SLOTS
    ON_BN_CLICKED(IDC_MEMORIZE, &CLumettoDlg::OnMemorize)
    ON_BN_CLICKED(IDC_MEM1, &CLumettoDlg::OnMemory1)
    ON_BN_CLICKED(IDC_MEM2, &CLumettoDlg::OnMemory2)
    ON_BN_CLICKED(IDC_MEM3, &CLumettoDlg::OnMemory3)
    ON_BN_CLICKED(IDC_MEM4, &CLumettoDlg::OnMemory4)
    ON_BN_CLICKED(IDC_MEM5, &CLumettoDlg::OnMemory5)
#endif
END_MESSAGE_MAP(CDialog)

BOOL CLumettoDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    AddAboutToSystemMenu();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_menuTray.LoadMenu(IDR_TRAYMENU);
    m_pTrayMenu = m_menuTray.GetSubMenu(0);

    m_nCurrent = -1;
#if LUMETTO_STOP_REMEMBERS_ENTRY
    m_nLastPlayed = -1;
#endif

    m_strStatus = LUMETTO_VERSION_STRING;
    UpdateData(FALSE);

    DragAcceptFiles(TRUE);
    m_list.SetHorizontalExtent(2048);

#if !LUMETTO_TIMER_PER_TRACK
    AddNotifyIcon();
#endif

    BOOL bLoaded = LoadStartupTracks();
    m_nListChangesAtStart = m_list.ChangeCount();
#if LUMETTO_TIMER_PER_TRACK
    // The compact edition adds its icon once the playlist is filled.
    AddNotifyIcon();
#endif

    ::CoInitialize(nullptr);
    CreateGraph();
    if (bLoaded) PlayTrack(0);

#if LUMETTO_MEDIA_KEYS
    InstallMediaKeyHook();
#endif
#if !LUMETTO_TIMER_PER_TRACK
    StartProgressTimer();
#endif
    return TRUE;
}

BOOL CLumettoDlg::DestroyWindow() {
    // The rest of the shutdown runs whatever became of the save.
    SaveDefaultList();
    m_list.ForgetEntries();
#if !LUMETTO_TIMER_PER_TRACK
    KillTimer(m_nTimerId);
#endif
    DeleteNotifyIcon();
    // A graph still playing when the process ends takes the process down with
    // it on the way out; stopped and released here, the program ends cleanly.
    StopGraph();
    ReleaseGraph();
    ::CoUninitialize();
    return CDialog::DestroyWindow();
}
