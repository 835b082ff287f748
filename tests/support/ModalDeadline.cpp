#include "support/ModalDeadline.h"

#include <QDialog>
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
