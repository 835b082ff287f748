#include "app/UpdateCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

UpdateCheck::UpdateCheck(QObject *parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

UpdateCheck::~UpdateCheck() {
    abort();
}

void UpdateCheck::start(const QUrl &url, int timeoutMs) {
    abort();
    received_.clear();
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    reply_ = manager_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &UpdateCheck::readSome);
    connect(reply_, &QNetworkReply::finished, this, &UpdateCheck::done);
}

void UpdateCheck::abort() {
    if (!reply_)
        return;
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void UpdateCheck::readSome() {
    received_ += reply_->read(kMaxBytes + 1 - received_.size());
    if (received_.size() > kMaxBytes) {
        received_.truncate(kMaxBytes);
        // What came is enough to show; the rest is not waited for.
        abort();
        emit finished(true, QString::fromUtf8(received_));
    }
}

void UpdateCheck::done() {
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        emit finished(false, QString());
        return;
    }
    received_ += reply->read(kMaxBytes - received_.size());
    emit finished(true, QString::fromUtf8(received_));
}
