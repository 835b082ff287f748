#pragma once
// The main window as the preferences window sees it.
#include "app/PreferencesHost.h"

class Mainform;

class MainformOptionsHost : public PreferencesHost {
public:
    explicit MainformOptionsHost(Mainform &window) : w_(window) {}

    std::array<int, 8> boardData() const override;
    QString styleFolder() const override;
    void rereadBoardData() override;
    bool matchOnBoard() const override;
    bool boardDataFits(const std::array<int, 8> &values) const override;
    void previewBoardData() override;
    void boardDataKept() override;
    void applyBoardStyle() override;
    void applyListAndPaneStyles() override;
    void showWinChances(bool shown) override;
    void reloadGagList() override;

private:
    Mainform &w_;
};
