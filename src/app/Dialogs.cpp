#include "app/Dialogs.h"

#include "app/ProgramExit.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>

namespace {
Dialogs::Handler &handler() {
    static Dialogs::Handler h;
    return h;
}
Dialogs::FontHandler &fontHandler() {
    static Dialogs::FontHandler h;
    return h;
}
Dialogs::ColorHandler &colorHandler() {
    static Dialogs::ColorHandler h;
    return h;
}
QPointer<QWidget> &parentWidget() {
    static QPointer<QWidget> p;
    return p;
}

// A box shows over the window in front: a modal one waiting for the user (the invitation
// of an offline match, a box already open), else the owner of the moment.
QWidget *boxOwner() {
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return parentWidget();
}

// The extension of a filter's first pattern: "pos" for "Pos Files (*.pos)"; empty for none.
QString filterSuffix(const QString &filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

QMessageBox::StandardButtons toQt(Dialogs::Buttons buttons) {
    switch (buttons) {
    case Dialogs::Buttons::Ok: return QMessageBox::Ok;
    case Dialogs::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Dialogs::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::None: return QMessageBox::NoIcon;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

Dialogs::Reply Dialogs::show(const Request &request) {
    // Once the exit has begun, a box would only hold the ending program up: the answer is the
    // one that changes nothing. Only the exit's own word on what it could not keep is shown.
    if (ProgramExit::boxesAnsweredAtOnce()) {
        if (request.buttons == Buttons::YesNo)
            return {Answer::No, {}};
        return {request.buttons == Buttons::Ok && !request.isInput ? Answer::Ok : Answer::Cancel, {}};
    }
    if (handler())
        return handler()(request);

    if (request.isOpenFile) {
        const QString file = QFileDialog::getOpenFileName(boxOwner(), request.title, request.defaultText,
                                                          request.filter);
        return {file.isEmpty() ? Answer::Cancel : Answer::Ok, file};
    }

    if (request.isSaveFile) {
        QFileDialog dialog(boxOwner(), request.title, request.defaultText, request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The dialog adds the extension itself, so that it asks before replacing the file
        // that is written rather than the name as typed.
        dialog.setDefaultSuffix(filterSuffix(request.filter));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {Answer::Cancel, {}};
        return {Answer::Ok, dialog.selectedFiles().constFirst()};
    }

    if (request.isInput) {
        QInputDialog dialog(boxOwner());
        dialog.setWindowTitle(request.title);
        dialog.setLabelText(request.text);
        dialog.setTextValue(request.defaultText);
        for (QLabel *label : dialog.findChildren<QLabel *>())
            label->setTextFormat(Qt::PlainText);
        const bool ok = dialog.exec() == QDialog::Accepted;
        return {ok ? Answer::Ok : Answer::Cancel, ok ? dialog.textValue() : QString()};
    }

    // What a box says often comes from the server or another player: never markup.
    QMessageBox box(toQt(request.icon), request.title, request.text, toQt(request.buttons), boxOwner());
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Yes: return {Answer::Yes, {}};
    case QMessageBox::No: return {Answer::No, {}};
    case QMessageBox::Cancel: return {Answer::Cancel, {}};
    default: return {Answer::Ok, {}};
    }
}

Dialogs::Answer Dialogs::message(const QString &text, const QString &title, Buttons buttons, Icon icon) {
    Request request;
    request.text = text;
    request.title = title;
    request.buttons = buttons;
    request.icon = icon;
    return show(request).answer;
}

bool Dialogs::ask(const QString &text, const QString &title) {
    return message(text, title, Buttons::YesNo, Icon::Question) == Answer::Yes;
}

QString Dialogs::input(const QString &prompt, const QString &title, const QString &defaultText) {
    Request request;
    request.text = prompt;
    request.title = title;
    request.buttons = Buttons::OkCancel;
    request.isInput = true;
    request.defaultText = defaultText;
    const Reply reply = show(request);
    return reply.answer == Answer::Ok ? reply.text : QString();
}

// An open or a save dialog asked through the one seam; the path chosen, or nothing.
QString Dialogs::askForFile(bool save, const QString &title, const QString &folder, const QString &defaultName,
                   const QString &filter) {
    Request request;
    request.text = title;
    request.title = title;
    request.buttons = Buttons::OkCancel;
    (save ? request.isSaveFile : request.isOpenFile) = true;
    request.defaultText = QDir(folder).filePath(defaultName);
    request.filter = filter;
    const Reply reply = show(request);
    return reply.answer == Answer::Ok ? reply.text : QString();
}

QString Dialogs::openFile(const QString &title, const QString &folder, const QString &defaultName,
                          const QString &filter) {
    return askForFile(false, title, folder, defaultName, filter);
}

QString Dialogs::saveFile(const QString &title, const QString &folder, const QString &defaultName,
                          const QString &filter) {
    QString file = askForFile(true, title, folder, defaultName, filter);
    // A name typed without an extension takes the filter's, or the open dialog would not list it.
    const QString suffix = filterSuffix(filter);
    if (!file.isEmpty() && !suffix.isEmpty() && !QFileInfo(file).fileName().contains(QLatin1Char('.')))
        file += QLatin1Char('.') + suffix;
    return file;
}

void Dialogs::setHandler(Handler h) {
    handler() = std::move(h);
}

void Dialogs::setParent(QWidget *parent) {
    parentWidget() = parent;
}

Dialogs::Owner::Owner(QWidget *owner) : previous_(parentWidget()) {
    parentWidget() = owner;
}

Dialogs::Owner::~Owner() {
    parentWidget() = previous_;
}

std::optional<QFont> Dialogs::chooseFont(const QFont &start) {
    if (fontHandler())
        return fontHandler()(start);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, boxOwner());
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
}

std::optional<QColor> Dialogs::chooseColor(const QColor &start) {
    if (colorHandler())
        return colorHandler()(start);
    const QColor chosen = QColorDialog::getColor(start, boxOwner());
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

void Dialogs::setChooserHandlers(FontHandler font, ColorHandler color) {
    fontHandler() = std::move(font);
    colorHandler() = std::move(color);
}
