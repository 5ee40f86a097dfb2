#pragma once

// The chart program as the single running instance: it listens on the socket that
// "Plot process on Aerograph" hands files to, reads each message and reports the file name.
// The sender waits until the file is taken in: the answer byte goes back after FileReceived
// has been handled.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace vantor {

class TInstanceServer : public QObject {
    Q_OBJECT

public:
    explicit TInstanceServer(QObject* parent = nullptr);
    ~TInstanceServer() override;

    // Listens at socketPath, taking over a socket left behind by an instance that ended.
    // False, with ErrorText(), when that fails.
    bool Listen(const QString& socketPath);
    const QString& ErrorText() const { return m_error; }

signals:
    void FileReceived(const QString& fileName);

private:
    void Accept();

    QLocalServer* m_server;
    QString m_error;
};

}  // namespace vantor
