#include "lobby/mnuClick.h"

#include <QListWidget>

bool mnuClick::ProcessMouseDown(PopupMenuHost &frm, QListWidget *lst, Qt::MouseButton button, const QPoint &at) {
    if (button != Qt::RightButton || !lst)
        return false;
    const QModelIndex index = lst->indexAt(at);
    if (!index.isValid())
        return false;
    // The row is chosen as by a left click, and the list's click handler told even when
    // the row was chosen already: what the menu acts on must be this row.
    QListWidgetItem *item = lst->item(index.row());
    lst->setCurrentItem(item);
    item->setSelected(true);
    emit lst->itemClicked(item);
    frm.popAMenu();
    return true;
}
