#pragma once
// The main window as the full-screen board sees it.
#include "play/FullScreenHost.h"

class Mainform;

class MainformFullScreenHost : public FullScreenHost {
public:
    explicit MainformFullScreenHost(Mainform &window) : w_(window) {}

    void showStrip(bool shown) override;
    void copyCaptions() override;
    void copyKibitzPane() override;
    bool connected() const override;
    void sendKibitz(const QString &text) override;
    void fullScreenClosed() override;
    void escapePressed() override;

private:
    Mainform &w_;
};
