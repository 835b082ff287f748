#include "support/TestEnvironment.h"

#include "app/Program.h"
#include "app/ProgramExit.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

TestEnvironment::TestEnvironment() : startFolder_(QDir::currentPath()) {
    ProgramExit::reset();  // a window closed by the test before is no end of this one's program
    Program::setFolder(program_.path());
    SettingsStore::setFolder(settings_.path());
    // Nor does anything machine-wide (XDG_CONFIG_DIRS) reach a test's settings.
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, settings_.filePath(QStringLiteral("machine")));
    // No browser or editor is ever started by a test: what would be opened is recorded.
    setOpenHandler([this](const QUrl &url) {
        opened_ << url.toString();
        return openSucceeds_;
    });
    Dialogs::setHandler([this](const Dialogs::Request &request) {
        messages_ << request.text;
        Dialogs::Reply reply;
        if (request.isInput || request.isOpenFile || request.isSaveFile) {
            reply.answer = Dialogs::Answer::Ok;
            if (!inputs_.empty()) {
                reply.text = inputs_.front();
                inputs_.pop_front();
            }
            return reply;
        }
        if (!answers_.empty()) {
            reply.answer = answers_.front();
            answers_.pop_front();
        } else {
            reply.answer = request.buttons == Dialogs::Buttons::YesNo || request.buttons == Dialogs::Buttons::YesNoCancel
                               ? Dialogs::Answer::Yes
                               : Dialogs::Answer::Ok;
        }
        return reply;
    });
    auto next = [](auto &queue) {
        std::optional<typename std::decay_t<decltype(queue)>::value_type> answer;
        if (!queue.empty()) {
            answer = queue.front();
            queue.pop_front();
        }
        return answer;
    };
    Dialogs::setChooserHandlers([this, next](const QFont &) { return next(fonts_); },
                                [this, next](const QColor &) { return next(colors_); });
}

TestEnvironment::~TestEnvironment() {
    ProgramExit::reset();
    QDir::setCurrent(startFolder_);
    Dialogs::setChooserHandlers({}, {});
    Dialogs::setHandler({});
    setOpenHandler({});
}

QString TestEnvironment::settingsFile() const {
    return SettingsStore::fileName();
}

void TestEnvironment::writeFile(const QString &relative, const QByteArray &content) const {
    const QString path = programFolder() + '/' + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray TestEnvironment::readFile(const QString &relative) const {
    QFile file(programFolder() + '/' + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestEnvironment::copyData() const {
    const QString source = QStringLiteral(KORVEX_DATA_DIR);
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = programFolder() + '/' + QDir(source).relativeFilePath(from);
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
}

void TestEnvironment::storeSettings(std::initializer_list<std::pair<QString, QString>> settings) const {
    SettingsStore store;
    for (const auto &[key, value] : settings)
        store.write(key, value);
    store.sync();
}
