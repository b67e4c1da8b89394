#include "app/single_instance.h"

#include <unistd.h>

#include <QDir>

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

}  // namespace

SingleInstance::SingleInstance(const QString& folder) {
    lockPath_ = RuntimeFolder(folder) + QStringLiteral("/velmaro-%1.lock").arg(getuid());
}

SingleInstance::~SingleInstance() {
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

}  // namespace velmaro
