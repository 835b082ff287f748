#include "support/ModalDeadline.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

void closeAtDeadline(QWidget *modal, const QString &what, int ms) {
    auto *deadline = new QTimer(modal);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, modal, [modal, what, ms, deadline] {
        deadline->deleteLater();
        if (!modal->isVisible())
            return;
        ADD_FAILURE() << what.toStdString() << " was still open after " << ms << " ms; closed so that the test ends";
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        QObject::connect(dialog, &QDialog::finished, deadline, &QObject::deleteLater);
    deadline->start(ms);
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
