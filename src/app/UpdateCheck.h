#pragma once
// Fetches the maker's short update text without ever blocking the window that asked.
#include <QByteArray>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

class UpdateCheck : public QObject {
    Q_OBJECT
public:
    // More than this is not an update note: the text is cut here and the transfer ended.
    static constexpr int kMaxBytes = 4096;

    explicit UpdateCheck(QObject *parent = nullptr);
    ~UpdateCheck() override;

    // One request; a transfer that stalls for `timeoutMs` fails.
    void start(const QUrl &url, int timeoutMs);
    // Ends the request at once; `finished` is not emitted for it.
    void abort();
    bool isRunning() const { return reply_ != nullptr; }

signals:
    // `text` is what the server sent (at most kMaxBytes of it), empty on failure.
    void finished(bool ok, const QString &text);

private:
    void readSome();
    void done();

    QNetworkAccessManager *manager_;
    QNetworkReply *reply_ = nullptr;
    QByteArray received_;
};
