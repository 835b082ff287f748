#pragma once
// Temporary program and settings folders, and answers for message boxes, for one test.
#include "app/Dialogs.h"
#include "support/QtPrinters.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <initializer_list>
#include <utility>

class TestEnvironment {
public:
    // Points the program folder and the settings store at fresh temporary folders and
    // answers every message box (Ok, or the queued answers) while recording its text.
    TestEnvironment();
    ~TestEnvironment();

    QString programFolder() const { return program_.path(); }
    QString settingsFolder() const { return settings_.path(); }
    QString settingsFile() const;

    // Writes a file (with folders) inside the program folder.
    void writeFile(const QString &relative, const QByteArray &content) const;
    QByteArray readFile(const QString &relative) const;
    // Copies the project's data/ folder into the program folder.
    void copyData() const;
    // The settings a previous run left, written to the settings store.
    void storeSettings(std::initializer_list<std::pair<QString, QString>> settings) const;

    void queueAnswer(Dialogs::Answer answer) { answers_.push_back(answer); }
    // The text an input box is answered with; for an open or save dialog, the chosen file's
    // path (an empty text cancels).
    void queueInput(const QString &text) { inputs_.push_back(text); }
    // Answers of the font and colour choosers, in order; with none queued they are cancelled.
    void queueFont(const QFont &font) { fonts_.push_back(font); }
    void queueColor(const QColor &color) { colors_.push_back(color); }
    const QStringList &messages() const { return messages_; }
    // Addresses and files the program asked the desktop to open; whether that works.
    const QStringList &opened() const { return opened_; }
    void setOpenSucceeds(bool succeeds) { openSucceeds_ = succeeds; }
    void clearMessages() { messages_.clear(); }

private:
    // The window makes the program folder the current one; the process goes back to where it
    // was before the folder is removed, or every later test would run in a folder that is gone.
    QString startFolder_;
    QTemporaryDir program_;
    QTemporaryDir settings_;
    QStringList messages_;
    QStringList opened_;
    bool openSucceeds_ = true;
    std::deque<Dialogs::Answer> answers_;
    std::deque<QString> inputs_;
    std::deque<QFont> fonts_;
    std::deque<QColor> colors_;
};
