#pragma once
// The small window shown at exit; it fades out and then ends the program.
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

class frmExit : public QWidget {
    Q_OBJECT
public:
    explicit frmExit(bool isDebugging, QWidget *parent = nullptr);

    void Form_Load();
    void DialogAction(int mode);
    void Command1_Click();
    void Label1_Click();

    // Called instead of ending the program; tests replace it.
    static void setQuitHook(std::function<void()> hook);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void endProgram();

    bool isDebugging_;
    QPushButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    int closeMode_ = 0;
    int fadeDirection_ = 0;
    int step_ = 0;
    int ticks_ = 0;
    bool ended_ = false;
};
