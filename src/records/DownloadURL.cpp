#include "records/DownloadURL.h"

#include "app/Utilities.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

DownloadURL::DownloadURL(QObject *parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), deadline_(new QTimer(this)) {
    deadline_->setSingleShot(true);
    connect(deadline_, &QTimer::timeout, this, [this] { fail(QStringLiteral("the web site took too long")); });
}

DownloadURL::~DownloadURL() {
    abort();
}

void DownloadURL::DownloadFile(const QString &url, const QString &file, Done done) {
    abort();
    received_.clear();
    file_ = file;
    done_ = std::move(done);
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(stallMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &DownloadURL::readSome);
    connect(reply_, &QNetworkReply::finished, this, &DownloadURL::finish);
    deadline_->start(deadlineMs);
}

void DownloadURL::abort() {
    deadline_->stop();
    done_ = nullptr;
    if (!reply_)
        return;
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void DownloadURL::readSome() {
    received_ += reply_->readAll();
    if (received_.size() > maxBytes)
        fail(QStringLiteral("the page is larger than a list of saved matches can be"));
}

void DownloadURL::finish() {
    QNetworkReply *reply = reply_;
    if (reply->error() != QNetworkReply::NoError) {
        fail(reply->errorString());
        return;
    }
    // A page the site answered with anything but success is not the page.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && (status < 200 || status > 299)) {
        fail(QStringLiteral("the web site answered ") + QString::number(status));
        return;
    }
    received_ += reply->readAll();
    Done done = std::move(done_);
    const QByteArray page = std::move(received_);
    const QString file = file_;
    abort();
    const QString error = WriteWholeFile(file, page);
    if (done)
        done(error.isEmpty() ? Outcome::Saved : Outcome::NotWritten, error);
}

void DownloadURL::fail(const QString &why) {
    Done done = std::move(done_);
    abort();
    if (done)
        done(Outcome::Unreachable, why);
}
