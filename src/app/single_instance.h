// One copy of the program per user: a lock file taken first (a lock left by
// a copy that crashed is found stale and taken over). It works without a
// session bus; where there is one, a later start asks the running copy to
// come back over it (app_bus.h).
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace velmaro {

class SingleInstance {
  public:
    // `folder`: where the lock lives; empty takes XDG_RUNTIME_DIR, else the
    // temporary folder. The name carries the user id.
    explicit SingleInstance(const QString& folder = QString());
    ~SingleInstance();

    QString LockPath() const { return lockPath_; }

    // Takes the lock. False when another copy holds it.
    bool Acquire();
    bool IsPrimary() const { return lock_ != nullptr; }
    // Whether another copy holds the lock now (without taking it).
    bool OtherCopyRunning();

  private:
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace velmaro
