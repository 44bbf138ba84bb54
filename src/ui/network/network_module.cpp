// The network module: downloads with Qt's network library, loaded only when the program first
// downloads something (see ui/network_access.h).
#include "ui/network_access.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace kalvora::ui {
namespace {

class QtNetworkAccess : public NetworkAccess {
public:
    std::optional<std::string> download(const std::string& address, int timeoutMs, long long limit,
                                        const std::function<int(QEventLoop&)>& runLoop) override {
        const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
            return std::nullopt;

        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        // Owned here: deleted before returning, whatever happened.
        std::unique_ptr<QNetworkReply> reply(manager_.get(request));

        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        bool failed = false;
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            failed = true;
            reply->abort();
        });
        QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
            if (received > limit) {
                failed = true;
                reply->abort();
            }
        });
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        timer.start(std::max(0, timeoutMs));
        if (!reply->isFinished()) runLoop(loop);
        timer.stop();

        // Unfinished here means the loop was ended from outside (the program is quitting).
        if (!reply->isFinished()) {
            failed = true;
            reply->abort();
        }
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (failed || reply->error() != QNetworkReply::NoError || status != 200) return std::nullopt;
        const QByteArray body = reply->readAll();
        if (body.size() > limit) return std::nullopt;
        return body.toStdString();
    }

private:
    QNetworkAccessManager manager_;
};

}  // namespace
}  // namespace kalvora::ui

extern "C" Q_DECL_EXPORT kalvora::ui::NetworkAccess* kalvora_create_network_access() {
    return new kalvora::ui::QtNetworkAccess;
}
