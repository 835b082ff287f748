#pragma once
// The main window as the chat windows see it.
#include "lobby/frmChat.h"

class Mainform;

class MainformChatHost : public ChatWindowHost {
public:
    explicit MainformChatHost(Mainform &window) : w_(window) {}

    Preferences &prefs() override;
    bool socketConnected() const override;
    bool send(const QString &command) override;
    void playKibitzSound() override;

private:
    Mainform &w_;
};
