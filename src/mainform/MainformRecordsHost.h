#pragma once
// The main window as the match records and the saved-games list see it.
#include "records/MatchRecords.h"
#include "records/SavedGamesList.h"

class Mainform;

class MainformRecordsHost : public RecordsHost, public SavedGamesHost {
public:
    explicit MainformRecordsHost(Mainform &window) : w_(window) {}

    QString logFolder() const override;
    QString matFolder() const override;
    QString opponentCaption() const override;
    void message(const QString &text) override;
    void setStatus(const QString &text) override;
    void showTerminal(const QString &text) override;
    void showProgressWindow(const QString &job) override;
    void showProgress(int percent) override;
    void hideProgressWindow() override;
    void SplitFibString(const QString &text) override;
    void showGameRows(const QStringList &rows) override;
    void enablePlaybackButtons(bool enabled) override;
    // The saved-games list's own (MainformPositions.cpp).
    QString programFolder() const override;
    bool ask(const QString &text, const QString &title) override;
    void setBusy(bool busy) override;

private:
    Mainform &w_;
};
