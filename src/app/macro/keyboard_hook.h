// Key capture for the dialogs that record keys. Between StartHook(window) and
// StopHook() every key press and release reaches `window` as posted message
// 0x401: wParam holds the virtual-key code (low byte), lParam bit 31 is set on
// a release and bits 0..30 carry a millisecond time stamp.
//
// A held key is one press and one release, however the window system repeats
// it: repeats marked as such are dropped, and so is a press of a key already
// down. (On X11 the desktop program asks the server for press-only repeats at
// start-up, so no synthetic release ever splits a held key.)
//
// Where the keys come from: the desktop program installs a KeySource for its
// window system (on X11, raw key events of the whole desktop) and the hook
// reads only that one while it runs. Without one (Wayland, the tests' offscreen
// platform) it follows the program's own key events, which the focused window
// still receives as before.
#pragma once

#include <QObject>
#include <QPointer>
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>

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

// Keys typed anywhere on the desktop, read only between Start and Stop.
class KeySource {
  public:
    // A key's virtual-key code, whether it was let go, its time in ms.
    using Sink = std::function<void(uint8_t key, bool release, uint32_t time)>;
    virtual ~KeySource() = default;
    // False when the session offers no way to read them; nothing is read then.
    virtual bool Start(Sink sink) = 0;
    virtual void Stop() = 0;
};
using KeySourceFactory = std::function<std::unique_ptr<KeySource>()>;

// The desktop program's key source, installed once at start-up by its
// platform glue; an empty factory: the program's own windows only.
void SetDesktopKeySource(KeySourceFactory factory);

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
    // Keys come from the whole desktop, not only the program's windows.
    bool IsDesktopWide() const { return source_ != nullptr; }

    // The time stamp source when an event carries none; tests set a clock.
    void SetClock(std::function<uint32_t()> clock) { clock_ = std::move(clock); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    uint32_t TimeOf(const QKeyEvent& event) const;
    // Posts a key unless it repeats one already down.
    void Deliver(uint8_t key, bool release, uint32_t time);

    QPointer<CDlgBase> target_;
    bool filtering_ = false;
    std::unique_ptr<KeySource> source_;
    std::bitset<256> down_;
    QMetaObject::Connection focusWatch_;
    std::function<uint32_t()> clock_;
};

}  // namespace velmaro
