#include "app/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace velmaro {

namespace {

QString RuntimeFolder(const QString& folder) {
    if (!folder.isEmpty())
        return folder;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    return QDir::tempPath();
}

QString ReadLine(QLocalSocket& socket, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!socket.canReadLine()) {
        const int left = timeoutMs - int(t.elapsed());
        if (left <= 0 || !socket.waitForReadyRead(left))
            return socket.canReadLine() ? QString::fromUtf8(socket.readLine()).trimmed()
                                        : QString();
    }
    return QString::fromUtf8(socket.readLine()).trimmed();
}

}  // namespace

SingleInstance::SingleInstance(const QString& folder) {
    const QString base = RuntimeFolder(folder) + QStringLiteral("/velmaro-%1").arg(getuid());
    lockPath_ = base + ".lock";
    socketPath_ = base + ".socket";
    // Only the socket's owner may talk to it.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, this, [this] { OnConnection(); });
}

SingleInstance::~SingleInstance() {
    server_.close();
    if (lock_)
        lock_->unlock();
}

bool SingleInstance::Acquire() {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // Stale means: the process named in the lock is gone, however young the lock.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    // A socket left by a crashed copy is ours to replace now that we hold the lock.
    QLocalServer::removeServer(socketPath_);
    listening_ = server_.listen(socketPath_);
    return true;
}

bool SingleInstance::OtherCopyRunning() {
    QLockFile probe(lockPath_);
    probe.setStaleLockTime(0);
    if (probe.tryLock(0)) {
        probe.unlock();
        return false;
    }
    return true;
}

QString SingleInstance::Send(const QString& request, int timeoutMs) const {
    QElapsedTimer t;
    t.start();
    // The running copy may hold the lock a moment before it listens.
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(std::max(1, timeoutMs - int(t.elapsed())))) {
            socket.write(request.toUtf8() + '\n');
            socket.flush();
            return ReadLine(socket, std::max(1, timeoutMs - int(t.elapsed())));
        }
        if (t.elapsed() >= timeoutMs)
            return QString();
        QThread::msleep(50);
    }
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto answer = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString request = QString::fromUtf8(socket->readLine()).trimmed();
            const QString reply = handler_ ? handler_(request) : QString(kAnswerRefused);
            socket->write(reply.toUtf8() + '\n');
            socket->flush();
            socket->disconnectFromServer();
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, answer);
        answer();
    }
}

}  // namespace velmaro
