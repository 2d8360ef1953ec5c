// The player's side of the media keys: the hook is installed once at
// start-up, and every tick collects the last key pressed anywhere.
#include "player/lumetto_dlg.h"
#include "player/media_keys.h"

void CLumettoDlg::InstallMediaKeyHook() {
    // Without the hook the player runs on without media keys; Quistel has
    // already told the user.
    CurrentMediaKeySource().setHook(m_hWnd);
}

void CLumettoDlg::PollMediaKeys() {
    const MediaKeySource& source = CurrentMediaKeySource();
    if (source.IsUpdate() == 0) return;
    // Of all keys pressed since the last tick only the last one counts; any
    // other key has been collected and is dropped.
    switch (source.getKeyCD()) {
    case kMediaNextTrack:
        OnNext();
        break;
    case kMediaPrevTrack:
        OnPrev();
        break;
    case kMediaStop:
        OnStop();
        break;
    case kMediaPlayPause:  // the player has no pause
        OnPlay();
        break;
    default:
        break;
    }
}
