#include "app/signal_pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace velmaro {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
int g_fds[2] = {-1, -1};
struct sigaction g_previous[3];

extern "C" void OnSignal(int signo) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signo);
    [[maybe_unused]] const ssize_t n = ::write(g_fds[0], &byte, 1);
    errno = saved;
}

}  // namespace

SignalPipe::SignalPipe(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    if (g_fds[0] >= 0)
        return;  // one per process
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_fds) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(g_fds[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Drain(); });
    for (size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(kSignals[i], &action, &g_previous[i]);
    }
}

SignalPipe::~SignalPipe() {
    if (!notifier_)
        return;
    for (size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
    notifier_.reset();
    ::close(g_fds[0]);
    ::close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
}

void SignalPipe::Drain() {
    unsigned char byte = 0;
    while (::read(g_fds[1], &byte, 1) == 1) {
        if (onSignal_)
            onSignal_(byte);
    }
}

}  // namespace velmaro
