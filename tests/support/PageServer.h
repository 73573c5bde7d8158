// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <memory>
#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

namespace testsupport {

// Serves pages on 127.0.0.1 from the test's own event loop. Paths are told apart by case, as
// most servers do; an unknown path gets "Not found". Every request is kept as it came.
class PageServer {
public:
    PageServer()
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { answerNext(); });
    }

    QString address(const QString& path) const
    {
        return QStringLiteral("127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }

    std::map<QByteArray, QByteArray> pages;
    std::vector<QByteArray> requests;

private:
    void answerNext()
    {
        QTcpSocket* client = server_.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, [this, client] {
            const QByteArray request = client->readAll();
            requests.push_back(request);
            const QByteArray path = request.split(' ').value(1);
            const auto page = pages.find(path);
            const bool found = page != pages.end();
            const QByteArray body = found ? page->second : QByteArray("<p>Not found</p>");
            client->write((found ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                          QByteArray("\r\nContent-Type: text/html; charset=utf-8\r\n"
                                     "Connection: close\r\nContent-Length: ") +
                          QByteArray::number(body.size()) + "\r\n\r\n" + body);
            client->disconnectFromHost();
        });
        QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }

    QTcpServer server_;
};

} // namespace testsupport
