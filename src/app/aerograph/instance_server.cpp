#include "instance_server.h"

#include "aerograph/instance_message.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <memory>

namespace vantor {

namespace {

constexpr char kHandledAnswer = 'k';
constexpr int kProbeMilliseconds = 500;

}  // namespace

TInstanceServer::TInstanceServer(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceServer::Accept);
}

TInstanceServer::~TInstanceServer()
{
    m_server->close();
}

bool TInstanceServer::Listen(const QString& socketPath)
{
    // Only the owner may hand files over.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // An instance that answers keeps its socket (listening would replace the socket file
    // under it); one left behind by an instance that ended is taken over.
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(kProbeMilliseconds)) {
        m_error = tr("Another Aerograph is running (%1)").arg(socketPath);
        return false;
    }
    if (m_server->listen(socketPath)) return true;
    QLocalServer::removeServer(socketPath);
    if (m_server->listen(socketPath)) return true;
    m_error = m_server->errorString();
    return false;
}


void TInstanceServer::Accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto reader = std::make_shared<TInstanceMessageReader>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader] {
            if (reader->State() != TInstanceMessageReader::TState::Incomplete) {
                socket->readAll();
                return;
            }
            const QByteArray bytes = socket->readAll();
            switch (reader->Feed(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
            case TInstanceMessageReader::TState::Incomplete:
                return;
            case TInstanceMessageReader::TState::Complete:
                emit FileReceived(QString::fromStdString(reader->FileName()));
                socket->write(&kHandledAnswer, 1);
                socket->flush();
                break;
            case TInstanceMessageReader::TState::Refused:
                break;
            }
            socket->disconnectFromServer();
        });
        if (socket->bytesAvailable() > 0) emit socket->readyRead();
    }
}

}  // namespace vantor
