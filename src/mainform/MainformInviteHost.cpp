#include "mainform/MainformInviteHost.h"

#include "mainform/Mainform.h"

Preferences &MainformInviteHost::prefs() { return w_.prefs; }
StateFlags &MainformInviteHost::flags() { return w_.flags; }
MatchState &MainformInviteHost::match() { return w_.match; }
SharedLists &MainformInviteHost::lists() { return w_.lists; }
PlayerStats &MainformInviteHost::playerStats() { return w_.playerStats; }
bool MainformInviteHost::socketConnected() const { return w_.server.isConnected(); }
bool MainformInviteHost::send(const QString &command) { return w_.server.send(command); }
void MainformInviteHost::HideBlueScreen() { w_.board.HideBlueScreen(); }
void MainformInviteHost::setReadyPicture(bool ready) { w_.setReadyPicture(ready); }
void MainformInviteHost::setStatus(const QString &text) { w_.setCaption(w_.lblStatus, text); }
void MainformInviteHost::SplitFibString(const QString &text) { w_.SplitFibString(text); }
void MainformInviteHost::newGnubgGame() { w_.newGnubgGame(); }
void MainformInviteHost::LoadDropped(const QString &name) { w_.LoadDropped(name); }
