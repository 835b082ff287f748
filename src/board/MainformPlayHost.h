#pragma once
// The main window as the user's play sees it. The offline game's turns keep PlayHost's
// empty answers until the game against the engine overrides them here.
#include "board/PlayHost.h"

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

private:
    Mainform &w_;
};
