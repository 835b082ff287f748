#include "support/UserInput.h"

#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

ButtonWindow::ButtonWindow(const QStringList &captions) {
    auto *layout = new QVBoxLayout(&window_);
    for (const QString &caption : captions) {
        auto button = std::make_unique<QPushButton>(caption);
        button->setMinimumSize(160, 40);
        layout->addWidget(button.get());
        const int i = int(buttons_.size());
        QObject::connect(button.get(), &QPushButton::clicked, [this, i] { clicks_.append({i, clock_.elapsed()}); });
        buttons_.push_back(std::move(button));
    }
    window_.move(100, 100);
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::qWait(300);  // the window manager has placed it
    clock_.start();
}

QPoint ButtonWindow::centre(int i) const {
    return centreOf(button(i));
}

QPoint awayFromTheWindows() {
    return {1000, 700};
}

QPoint centreOf(const QWidget *widget) {
    return widget->mapToGlobal(widget->rect().center());
}
