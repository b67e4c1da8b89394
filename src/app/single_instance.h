// One copy of the program per user: a lock file taken first (a lock left by
// a copy that crashed is found stale and taken over), then a local socket the
// running copy listens on. A later start connects to it and hands over one
// request line: "restore" (bring the window back) or "sim EVENT" (an event
// for a simulated copy); the running copy answers with one line.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace velmaro {

// Answers of the running copy.
inline constexpr char kAnswerOk[] = "ok";
inline constexpr char kAnswerUnknown[] = "unknown";  // an event it does not know
inline constexpr char kAnswerRefused[] = "refused";  // not a simulated copy

class SingleInstance : public QObject {
  public:
    // `folder`: where the lock and the socket live; empty takes
    // XDG_RUNTIME_DIR, else the temporary folder. The names carry the user id.
    explicit SingleInstance(const QString& folder = QString());
    ~SingleInstance() override;

    QString LockPath() const { return lockPath_; }
    QString SocketPath() const { return socketPath_; }

    // Takes the lock and listens. False when another copy holds the lock.
    bool Acquire();
    bool IsPrimary() const { return listening_; }

    // The running copy's handler: gets one request line, returns the answer.
    void SetRequestHandler(std::function<QString(const QString&)> handler) {
        handler_ = std::move(handler);
    }

    // From a later copy: sends `request` and waits for the answer. Empty
    // when no copy answered within `timeoutMs`.
    QString Send(const QString& request, int timeoutMs = 3000) const;
    // Whether another copy holds the lock now (without taking it).
    bool OtherCopyRunning();

  private:
    void OnConnection();

    QString lockPath_;
    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    bool listening_ = false;
    std::function<QString(const QString&)> handler_;
};

}  // namespace velmaro
