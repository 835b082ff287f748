#pragma once
// The main window as the friends editor and the away window see it.
#include "lobby/frmEdit.h"
#include "lobby/frmMessage.h"

class Mainform;

class MainformLobbyHost : public FriendsEditorHost, public AwayWindowHost {
public:
    explicit MainformLobbyHost(Mainform &window) : w_(window) {}

    const std::vector<StatsRecord> &statsRecords() const override;
    bool online() const override;
    void send(const QString &command) override;
    void setEditorEntriesEnabled(bool enabled) override;
    void friendsChanged() override;
    mnuClick *mnuObject() override;
    bool isAway() const override;

private:
    Mainform &w_;
};
