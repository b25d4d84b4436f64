#pragma once

namespace lvx {

class DesktopContext;
class frmMain;

// Offers, one by one, the songs an earlier run left with unsaved changes (it
// crashed or lost power): Yes opens the song with those changes, under its own
// file name and marked as changed; No throws the copy away.
void offerRecoveredSongs(DesktopContext& desktop, frmMain& main);

} // namespace lvx
