// Key capture for the dialogs that record keys. Between StartHook(window) and
// StopHook() every key press and release typed into any window of the
// program reaches `window` as posted message 0x401: wParam holds the
// virtual-key code (low byte), lParam bit 31 is set on a release and bits
// 0..30 carry a millisecond time stamp. Auto-repeated presses arrive as
// presses. The keys still reach the focused window as before.
//
// Capture follows the program's own key events (the focused window), so it
// works on X11 and Wayland alike without a global grab.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>

#include "ui/dlg_base.h"

class QKeyEvent;

namespace velmaro {

inline constexpr uint32_t kKeyHookMessage = 0x401;
inline constexpr intptr_t kKeyReleaseFlag = intptr_t(1) << 31;

// The parts of a key message.
struct HookedKey {
    uint8_t VirtualKey = 0;
    bool Release = false;
    uint32_t Time = 0;  // milliseconds, 31 bits
};
HookedKey DecodeHookedKey(uintptr_t wParam, intptr_t lParam);

class CKeyboardHook : public QObject {
  public:
    CKeyboardHook();
    ~CKeyboardHook() override;
    CKeyboardHook(const CKeyboardHook&) = delete;
    CKeyboardHook& operator=(const CKeyboardHook&) = delete;

    // Starts delivering key events to `window` (a second start moves the
    // delivery there). Returns 0, or -1 without an application object.
    int StartHook(CDlgBase* window);
    // Stops the delivery; keys released afterwards are not reported.
    int StopHook();
    bool IsHooked() const { return !target_.isNull(); }

    // The time stamp source when an event carries none; tests set a clock.
    void SetClock(std::function<uint32_t()> clock) { clock_ = std::move(clock); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    uint32_t TimeOf(const QKeyEvent& event) const;

    QPointer<CDlgBase> target_;
    bool filtering_ = false;
    QElapsedTimer started_;
    std::function<uint32_t()> clock_;
};

}  // namespace velmaro
