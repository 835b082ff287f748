#pragma once
// The help pages of the program folder's help/ in a window with back, forward and contents.
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

class frmHelp : public QWidget {
    Q_OBJECT
public:
    // The contents page; when the pages are missing the user is told where they were looked
    // for and nothing is shown (the result is then null).
    static frmHelp *showContents(QWidget *parent);

    explicit frmHelp(const QString &folder, QWidget *parent = nullptr);

    void cmdContents_Click();
    QTextBrowser *txtHelp = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdForward = nullptr;
    QPushButton *cmdContents = nullptr;

private:
    void linkClicked(const QUrl &url);

    QString folder_;
};
