#pragma once
// The main window as the match records see it.
#include "records/MatchRecords.h"

class Mainform;

class MainformRecordsHost : public RecordsHost {
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

private:
    Mainform &w_;
};
