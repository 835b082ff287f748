#pragma once
// The right button on a list of players: the row under the pointer is chosen and the
// window that owns the list shows its menu for it.
#include <QObject>
#include <QPoint>

class QListWidget;

// A window whose lists open a popup menu.
class PopupMenuHost {
public:
    virtual ~PopupMenuHost() = default;
    // Shows the window's menu at the pointer, for the row just chosen.
    virtual void popAMenu() = 0;
};

class mnuClick : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // `at` is where the button went down, in the list's viewport. Only the right button
    // does anything, and only on a row: space below the last row chooses no one and shows
    // no menu. Returns true when the menu was shown.
    bool ProcessMouseDown(PopupMenuHost &frm, QListWidget *lst, Qt::MouseButton button, const QPoint &at);
};
