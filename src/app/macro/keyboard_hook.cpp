#include "app/macro/keyboard_hook.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "app/macro/key_translation.h"

namespace velmaro {

namespace {
constexpr uint32_t kTimeMask = 0x7FFFFFFF;
}

HookedKey DecodeHookedKey(uintptr_t wParam, intptr_t lParam) {
    return HookedKey{uint8_t(wParam & 0xFF), (uint32_t(lParam) & 0x80000000u) != 0,
                     uint32_t(lParam) & kTimeMask};
}

CKeyboardHook::CKeyboardHook() {
    started_.start();
}

CKeyboardHook::~CKeyboardHook() {
    StopHook();
}

int CKeyboardHook::StartHook(CDlgBase* window) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || window == nullptr)
        return -1;
    target_ = window;
    if (!filtering_) {
        app->installEventFilter(this);
        filtering_ = true;
    }
    return 0;
}

int CKeyboardHook::StopHook() {
    target_.clear();
    if (filtering_) {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeEventFilter(this);
        filtering_ = false;
    }
    return 0;
}

uint32_t CKeyboardHook::TimeOf(const QKeyEvent& event) const {
    if (clock_)
        return clock_() & kTimeMask;
    // The window system's time when it gave one, else our own monotonic clock.
    if (event.timestamp() != 0)
        return uint32_t(event.timestamp()) & kTimeMask;
    return uint32_t(started_.elapsed()) & kTimeMask;
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
    const uint8_t vk = VirtualKeyOf(key);
    if (vk == 0)
        return false;
    // An auto-repeat reaches Qt as a release and a press; the repeat is a
    // press only, so the synthetic release is dropped.
    if (type == QEvent::KeyRelease && key.isAutoRepeat())
        return false;
    intptr_t lParam = intptr_t(TimeOf(key));
    if (type == QEvent::KeyRelease)
        lParam |= kKeyReleaseFlag;
    target_->PostMessage(kKeyHookMessage, uintptr_t(vk), lParam);
    return false;
}

}  // namespace velmaro
