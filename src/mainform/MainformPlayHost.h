#pragma once
// The main window as the user's play sees it.
#include "play/PlayHost.h"

class Mainform;

class MainformPlayHost : public PlayHost {
public:
    explicit MainformPlayHost(Mainform &window) : w_(window) {}

    QString pickUpCaption() const override;
    bool pickUpEnabled() const override;
    void enableUndo(bool enabled) override;
    void enableAcceptButtons(bool enabled) override;
    void enableAcceptMenus(bool enabled) override;
    void stopBlink() override;
    void setCubeTogglePicture(bool askToDouble) override;

    // The offline game's turns (MainformOffline.cpp).
    void rollDiceLocally() override;
    void OfflineGameOver(const QString &resignType) override;
    void ShowStartBoard() override;
    void mnuNew_Click() override;
    bool mayDoubleOffline() override;
    bool engineAnswersDouble() override;
    void engineWinningChances() override;
    void engineTurnAfterUserMove() override;
    void userAcceptsEngineDouble() override;
    bool userRejectsEngineDouble() override;
    void WinnerWhite() override;

private:
    Mainform &w_;
};
