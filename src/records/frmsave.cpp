#include "records/frmsave.h"

#include <QLabel>

namespace {
constexpr int kWidth = 180, kHeight = 92;
constexpr int kTrackLeft = 8, kTrackTop = 36, kTrackWidth = 164, kTrackHeight = 16;
}  // namespace

frmsave::frmsave(QWidget *owner) : QFrame(owner, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmsave"));
    setWindowTitle(QStringLiteral("Korvex"));
    if (owner)
        setWindowIcon(owner->windowIcon());
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFixedSize(kWidth, kHeight);

    Label1 = new QLabel(QStringLiteral("One moment please..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(10, 8, 160, 20);
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(kTrackLeft, kTrackTop, kTrackWidth, kTrackHeight);
    Picture1->setAutoFillBackground(true);
    Picture1->setBackgroundRole(QPalette::Window);
    Picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture2 = new QFrame(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(kTrackLeft + 1, kTrackTop + 1, kTrackWidth - 2, kTrackHeight - 2);
    Picture2->setAutoFillBackground(true);
    QPalette blue = Picture2->palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 255));
    Picture2->setPalette(blue);
    Label2 = new QLabel(QStringLiteral("One moment please..."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(13, 62, 160, 20);
}

void frmsave::ShowProgress(int percent) {
    percent = qBound(0, percent, 100);
    Picture2->resize((Picture1->width() - 2) * percent / 100, Picture2->height());
    // Drawn now: the job runs on without handing control back to the event loop.
    repaint();
}

void frmsave::centreOnOwner() {
    const QWidget *owner = parentWidget();
    if (!owner)
        return;
    QRect place = frameGeometry();
    place.moveCenter(owner->frameGeometry().center());
    move(place.topLeft());
}
