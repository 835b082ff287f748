#pragma once
// The main window as the invitation windows see it.
#include "lobby/frmInvite.h"

class Mainform;

class MainformInviteHost : public InviteHost {
public:
    explicit MainformInviteHost(Mainform &window) : w_(window) {}

    Preferences &prefs() override;
    StateFlags &flags() override;
    MatchState &match() override;
    SharedLists &lists() override;
    PlayerStats &playerStats() override;
    bool socketConnected() const override;
    bool send(const QString &command) override;
    void HideBlueScreen() override;
    void setReadyPicture(bool ready) override;
    void setStatus(const QString &text) override;
    void SplitFibString(const QString &text) override;
    void newGnubgGame() override;
    void LoadDropped(const QString &name) override;

private:
    Mainform &w_;
};
