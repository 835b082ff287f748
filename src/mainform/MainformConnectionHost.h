#pragma once
// The main window as the login and new-account windows see it.
#include "connection/frmAccount.h"
#include "connection/frmLogin.h"

class Mainform;

class MainformConnectionHost : public LoginHost, public AccountHost {
public:
    explicit MainformConnectionHost(Mainform &window) : w_(window) {}

    Preferences &prefs() override;
    StateFlags &flags() override;
    SettingsStore &store() override;
    ServerConnection &server() override;
    void startConnectWatchdog() override;
    void hideStartPage() override;
    void hideAd() override;
    void showAccountWindow() override;
    void showLoginWindow() override;
    void loginCancelled() override;
    void showOnlineLook() override;
    void endPlayback() override;
    void NeutralizeSettings() override;
    void SplitFibString(const QString &text) override;
    void afterTheLastLine(std::function<void()> then) override;
    void SaveDropped() override;
    void blankBoard() override;
    void setStatus(const QString &text) override;
    void blinkStatus() override;

private:
    Mainform &w_;
};
