#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A small HTTP/1.1 server on the loopback interface for the update check. It answers every
// request the way the test asked: with a status and a body, never, with half an answer, or
// by hanging up.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    enum class Mode { Answer, Silent, HalfAnswer, HangUp };

    LoopbackHttpServer() {
        connect(&server, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
        server.listen(QHostAddress::LocalHost, 0);
    }
    ~LoopbackHttpServer() override {
        for (const QPointer<QTcpSocket>& socket : sockets)
            if (socket)
                socket->abort();
    }

    bool isListening() const { return server.isListening(); }
    QString address() const {
        return QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
    }
    void answer(int code, const QByteArray& content) {
        mode = Mode::Answer;
        status = code;
        body = content;
    }
    void setMode(Mode m) { mode = m; }

    QList<QByteArray> requestLines; // "GET /path HTTP/1.1"

private:
    void accept() {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            sockets << socket;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        }
    }

    void serve(QTcpSocket* socket) {
        QByteArray& request = pending[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        requestLines << request.left(request.indexOf("\r\n"));
        request.clear();
        switch (mode) {
        case Mode::Silent:
            return; // keeps the connection open and says nothing
        case Mode::HangUp:
            socket->disconnectFromHost();
            return;
        case Mode::HalfAnswer:
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n"
                          "Content-Length: 500\r\n\r\n[Update]\r\nVersion=");
            return; // and never the rest
        case Mode::Answer:
            break;
        }
        QByteArray reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
        QByteArray head =
            "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
            "\r\nConnection: close\r\n\r\n";
        socket->write(head + body);
        socket->disconnectFromHost();
    }

    QTcpServer server;
    QList<QPointer<QTcpSocket>> sockets;
    QHash<QTcpSocket*, QByteArray> pending;
    Mode mode = Mode::Answer;
    int status = 200;
    QByteArray body;
};
