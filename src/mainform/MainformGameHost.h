#pragma once
// The main window as the server's game on the board sees it.
#include "play/GameHost.h"

class Mainform;

class MainformGameHost : public GameHost {
public:
    explicit MainformGameHost(Mainform &window) : w_(window) {}

    QString caption(GameLabel label) const override;
    void setCaption(GameLabel label, const QString &text) override;
    void setStatus(const QString &text) override;
    void setPickUpCaption(const QString &caption) override;
    void enablePickUp(bool enabled) override;
    void enableAcceptReject() override;
    void showNoDoublingPicture() override;
    void CheckCrawford(int didCrawford) override;
    void GetPips() override;
    const GnuBoard &gnuBoard() const override;
    bool socketConnected() const override;
    void send(const QString &command) override;
    void sleep(int milliseconds) override;
    // The engine's part of an offline game (MainformOffline.cpp).
    void offlineUserRolled() override;
    void offlineEngineRolled() override;
    void offlineEngineMoved() override;

private:
    Mainform &w_;
};
