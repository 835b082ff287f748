#pragma once
// The main window as the offline game sees it.
#include "play/OfflineHost.h"

class Mainform;

class MainformOfflineHost : public OfflineHost {
public:
    explicit MainformOfflineHost(Mainform &window) : w_(window) {}

    GnuVB *engine() override;
    void SplitFibString(const QString &text) override;
    void ShowTerminal(const QString &text) override;
    void clearTerminal() override;
    void hideAd() override;
    void showChanceLabels(const QString &winsB, const QString &winsW) override;
    void bringToFront() override;
    void startBlink() override;
    void RollDiceOffline() override;
    void cmdPickUp_Click() override;
    void handInMove() override;
    void cmdUndo_Click() override;
    void cmdAccept_Click() override;
    void cmdReject_Click() override;
    void ShowBlackMovesFromString(const QString &line) override;
    void ShowWhiteMovesFromString(const QString &line) override;
    void WinnerBlack() override;
    void animateUserMoves(bool on) override;

private:
    Mainform &w_;
};
