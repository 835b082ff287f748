// The road from the server to the screen while the dispatcher is not yet in place: the
// server's text goes straight into the server-text pane.
#include "app/Mainform.h"

#include <QTextCursor>
#include <QTextEdit>

void Mainform::SplitFibString(const QString &data) {
    QString text = data;
    text.remove(QLatin1Char('\r'));
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');  // the login prompt comes without a line end
    txtTerminal->moveCursor(QTextCursor::End);
    txtTerminal->insertPlainText(text);
}
