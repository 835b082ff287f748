#include "app/OnClick.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace {

class ClickWatcher : public QObject {
public:
    ClickWatcher(QWidget *widget, std::function<void()> handler) : QObject(widget), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const auto *widget = static_cast<QWidget *>(watched);
            if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
                handler_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

}  // namespace

void onClick(QWidget *widget, std::function<void()> handler) {
    widget->setCursor(Qt::PointingHandCursor);
    widget->installEventFilter(new ClickWatcher(widget, std::move(handler)));
}
