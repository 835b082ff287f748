#pragma once
// Small services used all over the program: waits, sounds, file tests, the desktop's
// opener and the web.
#include <QString>
#include <QStringList>
#include <functional>

class QUrl;

struct Preferences;

// Waits `milliseconds` while timers, socket data and clicks go on being handled; inside a
// plain sleep the clicks and keys wait with the sleep's.
void Pause(int milliseconds);

// Waits while the windows repaint and timers run; the clicks and keys made meanwhile act
// once it is over (a modal box that is up takes its own at once). It asks for no socket
// data, but Qt's default event loop reads the sockets all the same: the connection holds
// the server's lines back while the line dispatcher is busy, so none is read in the middle
// of another.
void PlainSleep(int milliseconds);

// Every later Pause and PlainSleep lasts its time multiplied by `factor`: tests and
// benchmarks play whole matches without the waits that pace them for the eye. 1 is real time.
void setWaitFactor(double factor);

// While one is alive, Pause and PlainSleep return at once and checkers jump instead of
// sliding: what the server sent before a connection ended is read at reading speed. So it
// is for good once the program's exit has begun.
class WaitsOff {
public:
    WaitsOff();
    ~WaitsOff();
    WaitsOff(const WaitsOff &) = delete;
    WaitsOff &operator=(const WaitsOff &) = delete;
    static bool active();
};

// An effect from wavs/ (name without ".wav") plays without waiting and cuts the one
// playing; a talking wave from "talking wavs/" (name with its extension) is waited for.
// Nothing plays when sounds are off or once the program's exit has begun, and missing files
// or audio devices are silent.
void PlayWav(const QString &name, bool talking, const Preferences &prefs);

// The file PlayWav plays for `name`; empty for a name that could reach outside its folder,
// or a file that is missing or empty.
QString WavFile(const QString &name, bool talking);

// Plays a wave file without waiting, beside any effect that is playing; nothing once the
// program's exit has begun.
void PlaySoundFile(const QString &path);

// True when the file exists and is not empty.
bool FileExists(const QString &path);

// A text file read whole, its lines without their ends: CR LF, CR and LF end a line alike.
// A missing file has no lines and no error; one that is there but cannot be read has an error.
struct TextFile {
    QStringList lines;  // Latin-1
    QString error;
};
TextFile ReadTextFile(const QString &path);
// The lines as this program writes a text file: each ended with CR LF.
QByteArray TextFileBytes(const QStringList &lines);

// Writes `bytes` as the whole of the file at `path`, or nothing: the old file stays when
// anything fails, a write the disk cut short included. An empty text, or what went wrong.
// Once the program's exit has kept its files, nothing more is written.
QString WriteWholeFile(const QString &path, const QByteArray &bytes);

// Opens a web address or a file with the desktop's default program; false when the
// desktop has none to open it with.
bool RunShellExecute(const QString &operation, const QString &file);
// The same, and tells the user, naming the address or file, when it could not be opened.
bool OpenOrSay(const QString &target);
// Tests answer in place of the desktop; an empty handler gives the desktop back.
void setOpenHandler(std::function<bool(const QUrl &)> handler);

// Copies the resource at `url` into `file` (written whole or not at all).
bool DownloadFile(const QString &url, const QString &file, int timeoutMs = 30000);

// True when a connection to the address's server can be made.
bool CheckInternetConnection(const QString &url, int timeoutMs = 5000);
