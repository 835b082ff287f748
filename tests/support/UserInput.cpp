#include "support/UserInput.h"

#include "support/ModalDeadline.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

CountingButton::CountingButton() {
    button_.resize(120, 30);
    button_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&button_));
    QObject::connect(&button_, &QPushButton::clicked, [this] { ++clicks_; });
}

void CountingButton::click() {
    QTest::mouseClick(button_.windowHandle(), Qt::LeftButton, {}, button_.rect().center());
}

int openBoxAndAnswer(bool byKey, int afterMs) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Korvex"), QStringLiteral("FIBS is not responding"),
                    QMessageBox::Ok);
    closeAtDeadline(&box, QStringLiteral("The box opened during the wait"), 3000);
    QTimer::singleShot(afterMs, &box, [&box, byKey] {
        if (byKey) {
            QTest::keyClick(box.windowHandle(), Qt::Key_Return);
            return;
        }
        const QAbstractButton *ok = box.button(QMessageBox::Ok);
        QTest::mouseClick(box.windowHandle(), Qt::LeftButton, {}, ok->mapTo(&box, ok->rect().center()));
    });
    return box.exec();
}
