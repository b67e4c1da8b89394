#include "app/macro/keyboard_hook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>

#include "app/macro/key_translation.h"

namespace velmaro {

namespace {
constexpr uint32_t kTimeMask = 0x7FFFFFFF;

KeySourceFactory& DesktopKeySource() {
    static KeySourceFactory factory;
    return factory;
}

uint32_t MonotonicMs() {
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return uint32_t(started.elapsed());
}
}  // namespace

void SetDesktopKeySource(KeySourceFactory factory) {
    DesktopKeySource() = std::move(factory);
}

HookedKey DecodeHookedKey(uintptr_t wParam, intptr_t lParam) {
    return HookedKey{uint8_t(wParam & 0xFF), (uint32_t(lParam) & 0x80000000u) != 0,
                     uint32_t(lParam) & kTimeMask};
}

CKeyboardHook::CKeyboardHook() = default;

CKeyboardHook::~CKeyboardHook() {
    StopHook();
}

int CKeyboardHook::StartHook(CDlgBase* window) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || window == nullptr)
        return -1;
    StopHook();
    target_ = window;
    down_.reset();
    if (const KeySourceFactory& factory = DesktopKeySource()) {
        source_ = factory();
        if (source_ != nullptr && source_->Start([this](uint8_t key, bool release, uint32_t time) {
                Deliver(key, release, time & kTimeMask);
            }))
            return 0;
        source_.reset();
    }
    // One source at a time: the program's own key events only without a
    // desktop-wide one, so no key is counted twice.
    app->installEventFilter(this);
    filtering_ = true;
    // A key let go in another window never reaches us: forget what is down.
    if (auto* gui = qobject_cast<QGuiApplication*>(app))
        focusWatch_ =
            connect(gui, &QGuiApplication::focusWindowChanged, this, [this] { down_.reset(); });
    return 0;
}

int CKeyboardHook::StopHook() {
    target_.clear();
    if (source_ != nullptr) {
        source_->Stop();
        source_.reset();
    }
    if (filtering_) {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeEventFilter(this);
        filtering_ = false;
        disconnect(focusWatch_);
    }
    return 0;
}

uint32_t CKeyboardHook::TimeOf(const QKeyEvent& event) const {
    if (clock_)
        return clock_() & kTimeMask;
    // The window system's time when it gave one, else our own monotonic clock.
    if (event.timestamp() != 0)
        return uint32_t(event.timestamp()) & kTimeMask;
    return MonotonicMs() & kTimeMask;
}

void CKeyboardHook::Deliver(uint8_t key, bool release, uint32_t time) {
    if (target_.isNull() || key == 0)
        return;
    if (!release) {
        // A held key repeating its press.
        if (down_.test(key))
            return;
        down_.set(key);
    } else {
        down_.reset(key);
    }
    intptr_t lParam = intptr_t(time & kTimeMask);
    if (release)
        lParam |= kKeyReleaseFlag;
    target_->PostMessage(kKeyHookMessage, uintptr_t(key), lParam);
}

bool CKeyboardHook::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A key event reaches its top-level window first and is then passed on
    // to the focused widget and its parents; taking it at the window counts
    // each key once.
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWindowType())
        return false;
    if (target_.isNull())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // Repeats the toolkit recognised: on X11 the program asks the server for
    // press-only repeats (no synthetic releases), which the toolkit marks; on
    // Wayland the toolkit repeats a held key itself and marks both halves.
    if (key.isAutoRepeat())
        return false;
    const uint8_t vk = VirtualKeyOf(key);
    if (vk == 0)
        return false;
    Deliver(vk, type == QEvent::KeyRelease, TimeOf(key));
    return false;
}

}  // namespace velmaro
