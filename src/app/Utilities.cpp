#include "app/Utilities.h"

#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/ProgramExit.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QSoundEffect>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <cmath>
#include <memory>

namespace {
double waitFactor = 1.0;
int waitsOff = 0;

int scaled(int milliseconds) {
    if (WaitsOff::active())
        return 0;
    return waitFactor == 1.0 ? milliseconds : int(std::lround(milliseconds * waitFactor));
}
}  // namespace

void setWaitFactor(double factor) {
    waitFactor = factor < 0 ? 0 : factor;
}

WaitsOff::WaitsOff() {
    ++waitsOff;
}

WaitsOff::~WaitsOff() {
    --waitsOff;
}

bool WaitsOff::active() {
    return waitsOff > 0 || ProgramExit::begun();
}

void Pause(int milliseconds) {
    milliseconds = scaled(milliseconds);
    if (milliseconds <= 0)
        return;
    bool over = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&over] { over = true; });
    timer.start(milliseconds);
    runEventsUntil([&over] { return over; });
}

void PlainSleep(int milliseconds) {
    milliseconds = scaled(milliseconds);
    const InputWait wait;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds && !ProgramExit::begun()) {
        runEvents(QEventLoop::ExcludeSocketNotifiers, int(qMin<qint64>(10, milliseconds - clock.elapsed())));
        const qint64 left = milliseconds - clock.elapsed();
        if (left > 0)
            QThread::msleep(ulong(qMin<qint64>(5, left)));
    }
}

namespace {

// Length of a PCM wave file from its header, so a talking wave is not waited for longer
// than it plays; unknown lengths wait a few seconds at most.
int waveDurationMs(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray header = file.read(44);
    if (header.size() < 44 || !header.startsWith("RIFF"))
        return 3000;
    auto le32 = [&](int at) {
        return quint32(quint8(header[at])) | quint32(quint8(header[at + 1])) << 8 |
               quint32(quint8(header[at + 2])) << 16 | quint32(quint8(header[at + 3])) << 24;
    };
    const quint32 byteRate = le32(28);
    if (byteRate == 0)
        return 3000;
    return int(qMin<qint64>(30000, qint64(file.size() - 44) * 1000 / byteRate));
}

QSoundEffect &effectPlayer() {
    static auto *player = new QSoundEffect(QCoreApplication::instance());
    return *player;
}

}  // namespace

QString WavFile(const QString &name, bool talking) {
    if (!Program::isSafeFileName(name))
        return {};
    const QString path = talking ? Program::path(QStringLiteral("talking wavs/") + name)
                                 : Program::path(QStringLiteral("wavs/") + name + QStringLiteral(".wav"));
    return FileExists(path) ? path : QString();
}

void PlayWav(const QString &name, bool talking, const Preferences &prefs) {
    if (prefs.prfDisableSounds || (talking && !prefs.prfTalkingWavs) || ProgramExit::begun())
        return;
    const QString path = WavFile(name, talking);
    if (path.isEmpty())
        return;
    if (talking) {
        QSoundEffect voice;
        voice.setSource(QUrl::fromLocalFile(path));
        bool over = false;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, [&over] { over = true; });
        QObject::connect(&voice, &QSoundEffect::playingChanged, [&] {
            if (!voice.isPlaying())
                over = true;
        });
        QObject::connect(&voice, &QSoundEffect::statusChanged, [&] {
            if (voice.status() == QSoundEffect::Error)
                over = true;
        });
        voice.play();
        limit.start(waveDurationMs(path) + 500);
        over = over || voice.status() == QSoundEffect::Error;
        const InputWait wait;
        runEventsUntil([&over] { return over; });
        return;
    }
    QSoundEffect &player = effectPlayer();
    player.stop();
    player.setSource(QUrl::fromLocalFile(path));
    player.play();
}

void PlaySoundFile(const QString &path) {
    if (ProgramExit::begun())
        return;
    static auto *voice = new QSoundEffect(QCoreApplication::instance());
    voice->stop();
    voice->setSource(QUrl::fromLocalFile(path));
    voice->play();
}

bool FileExists(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

TextFile ReadTextFile(const QString &path) {
    TextFile text;
    QFile file(path);
    if (!file.exists())
        return text;
    if (!file.open(QIODevice::ReadOnly)) {
        text.error = file.errorString();
        return text;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        text.error = file.errorString();
        return text;
    }
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        text.lines << QString::fromLatin1(bytes.constData() + start, end - start);
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return text;
}

QByteArray TextFileBytes(const QStringList &lines) {
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QString WriteWholeFile(const QString &path, const QByteArray &bytes) {
    if (ProgramExit::kept())
        return QStringLiteral("the program is ending and has kept its files");
    QSaveFile file(path);
    // Unbuffered, a write cut short (a full disk) shows in its count; a buffered one would
    // be committed as if whole.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return QStringLiteral("the disk took only part of it");
    }
    return file.commit() ? QString() : file.errorString();
}

namespace {
std::function<bool(const QUrl &)> &openHandler() {
    static std::function<bool(const QUrl &)> handler;
    return handler;
}
}  // namespace

void setOpenHandler(std::function<bool(const QUrl &)> handler) {
    openHandler() = std::move(handler);
}

bool RunShellExecute(const QString &operation, const QString &file) {
    Q_UNUSED(operation);  // "open" is the only operation asked for
    const QUrl url = QFileInfo::exists(file) ? QUrl::fromLocalFile(file) : QUrl::fromUserInput(file);
    if (!url.isValid() || file.trimmed().isEmpty())
        return false;
    return openHandler() ? openHandler()(url) : QDesktopServices::openUrl(url);
}

bool OpenOrSay(const QString &target) {
    if (RunShellExecute(QStringLiteral("open"), target))
        return true;
    Dialogs::message(QStringLiteral("Could not open ") + target +
                     QStringLiteral("\r\nThere is no program on this computer to open it with."));
    return false;
}

bool DownloadFile(const QString &url, const QString &file, int timeoutMs) {
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(timeoutMs);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (!reply->isFinished() || reply->error() != QNetworkReply::NoError)
        return false;
    return WriteWholeFile(file, reply->readAll()).isEmpty();
}

bool CheckInternetConnection(const QString &url, int timeoutMs) {
    const QUrl parsed = QUrl::fromUserInput(url);
    if (parsed.host().isEmpty())
        return false;
    QTcpSocket socket;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    socket.connectToHost(parsed.host(), quint16(parsed.port(parsed.scheme() == QLatin1String("https") ? 443 : 80)));
    loop.exec();
    return socket.state() == QAbstractSocket::ConnectedState;
}
