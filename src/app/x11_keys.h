// The desktop program's keyboard glue on X11 (nothing happens elsewhere):
//
// - press-only auto-repeat: the X server is asked (XKB's per-client
//   detectable auto-repeat) not to send the release that otherwise comes
//   before every repeated press, so a held key reaches the program as one
//   press, repeats marked as such, and one release;
// - keys typed anywhere: while a recording or a key dialog captures keys,
//   they are read from the whole desktop as XInput2 raw key events on a
//   connection of their own, keys the desktop grabs (Super, Print, media keys)
//   included. The events are selected when a capture starts and the
//   connection is closed when it stops, so nothing is read otherwise.
#pragma once

#include <cstdint>
#include <memory>

#include "app/macro/keyboard_hook.h"

namespace velmaro {

// Sets both up when the program runs on X11; returns whether it does.
bool InstallX11KeyCapture();

// Raw key events of the whole X display, translated to virtual-key codes.
class X11RawKeySource : public KeySource {
  public:
    X11RawKeySource();
    ~X11RawKeySource() override;
    bool Start(Sink sink) override;
    void Stop() override;

  private:
    struct Connection;
    void Read();
    std::unique_ptr<Connection> x_;
    Sink sink_;
};

}  // namespace velmaro
