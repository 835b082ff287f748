#pragma once
// "Check for Updates": names the user's version and, once the maker's site answers, the
// latest one. The window stays live while it waits and can be closed at any moment.
#include <QUrl>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;
class UpdateCheck;

class frmCheckUpdate : public QWidget {
    Q_OBJECT
public:
    // `source` is the update text; tests point it at a server of their own.
    explicit frmCheckUpdate(QWidget *parent = nullptr, const QUrl &source = {});

    void cmdOK_Click();
    void cmdUpdate_Click();
    void lblLink_Click();

    QLabel *lblVersion = nullptr;
    QLabel *lblStatus = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Timer1_Timer();
    void answered(bool ok, const QString &text);
    void showVerdict();

    QUrl source_;
    UpdateCheck *check_ = nullptr;
    QLabel *lblLink = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QPushButton *cmdOK = nullptr;
    QTimer *Timer1 = nullptr;
    int ticks_ = 0;
    bool blank_ = false;
    bool started_ = false;
    QString remembered_;
    QString verdict_;
};
