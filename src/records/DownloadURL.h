#pragma once
// Fetches a web page into a file of the program's folder. The window keeps running while it
// comes; the file is replaced only by a whole page the site answered with success.
#include <QObject>
#include <QString>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

class DownloadURL : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Saved, Unreachable, NotWritten };
    // `why` is empty when the page was saved.
    using Done = std::function<void(Outcome outcome, const QString &why)>;

    explicit DownloadURL(QObject *parent = nullptr);
    ~DownloadURL() override;

    // Starts fetching `url`; `done` runs once, from the event loop, after `file` has been
    // replaced by the page or when the fetch failed (the file then stays as it was). A fetch
    // still running is abandoned first, without its `done`.
    void DownloadFile(const QString &url, const QString &file, Done done);
    // Abandons the running fetch; its `done` never runs.
    void abort();
    bool isRunning() const { return reply_ != nullptr; }

    // A site that sends nothing for `stallMs` has failed, as has one still sending after
    // `deadlineMs`.
    int stallMs = 20000;
    int deadlineMs = 120000;
    // A page larger than this is no saved-games list: the transfer is ended as failed.
    qint64 maxBytes = 16 * 1024 * 1024;

private:
    void readSome();
    void finish();
    void fail(const QString &why);

    QNetworkAccessManager *manager_;
    QTimer *deadline_;
    QNetworkReply *reply_ = nullptr;
    QByteArray received_;
    QString file_;
    Done done_;
};
