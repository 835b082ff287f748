#pragma once
// The main window as the lobby's windows see it: the friends editor, the away window and
// the invitation windows.
#include "lobby/frmEdit.h"
#include "lobby/frmInvite.h"
#include "lobby/frmMessage.h"

class Mainform;

class MainformLobbyHost : public FriendsEditorHost, public AwayWindowHost, public InviteHost {
public:
    explicit MainformLobbyHost(Mainform &window) : w_(window) {}

    bool online() const override;
    bool send(const QString &command) override;

    const std::vector<StatsRecord> &statsRecords() const override;
    void setEditorEntriesEnabled(bool enabled) override;
    void friendsChanged() override;
    mnuClick *mnuObject() override;
    bool isAway() const override;

    Preferences &prefs() override;
    StateFlags &flags() override;
    MatchState &match() override;
    SharedLists &lists() override;
    PlayerStats &playerStats() override;
    void HideBlueScreen() override;
    void setReadyPicture(bool ready) override;
    void setStatus(const QString &text) override;
    void SplitFibString(const QString &text) override;
    void newGnubgGame() override;
    void LoadDropped(const QString &name) override;

private:
    Mainform &w_;
};
