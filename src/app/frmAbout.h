#pragma once
// "About Korvex": the program, its version and a link to the maker's online page. It makes
// no network access.
#include <QWidget>

class QLabel;
class QPushButton;

class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    void cmdOK_Click();
    void lblLink_Click();

    QLabel *lblVersion = nullptr;

private:
    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblLink = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QPushButton *cmdOK = nullptr;
};
