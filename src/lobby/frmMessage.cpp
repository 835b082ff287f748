#include "lobby/frmMessage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmMessage::frmMessage(AwayWindowHost &host, QWidget *parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("frmMessage"));
    setWindowTitle(QStringLiteral("Away Message"));
    if (parent)
        setWindowIcon(parent->windowIcon());

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setMinimumWidth(260);
    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto *column = new QVBoxLayout(this);
    column->addWidget(Combo1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    column->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &frmMessage::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMessage::Command2_Click);
    connect(this, &QDialog::rejected, this, &frmMessage::Command2_Click);  // Esc
}

void frmMessage::Command1_Click() {
    // Nothing goes out on a socket that is already closed.
    if (host_.online())
        host_.send(host_.isAway() ? QStringLiteral("back ") : QStringLiteral("away ") + Combo1->currentText() + u' ');
    hide();
}

void frmMessage::Command2_Click() {
    hide();
}
