// SIGTERM, SIGINT and SIGHUP end the program the way its exit does: the
// handler only writes a byte into a pipe, and the event loop reads it and
// calls back, where saving is safe.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace velmaro {

class SignalPipe : public QObject {
  public:
    // Installs the handlers; `onSignal` runs on the event loop with the signal number.
    explicit SignalPipe(std::function<void(int)> onSignal);
    // Puts the previous handlers back.
    ~SignalPipe() override;
    bool Installed() const { return notifier_ != nullptr; }

  private:
    void Drain();

    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace velmaro
