// What other threads hand to the user-interface thread. The input readers and
// the backend's device-change watch never touch the profile or the writer;
// they post an event here, and the owner handles it on its own thread when it
// drains the queue. The queue and the readers' busy flags are all that is
// shared between threads.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <variant>
#include <vector>

#include "device/device_role.h"
#include "device/hid/hid_backend.h"

namespace velmaro {

// The mouse changed its DPI level or report rate by itself (input report 5,
// event type 6).
struct MouseSideChange {
    DeviceRole Role = DeviceRole::Cable;
    uint8_t ReportIntervalMs = 0;  // byte 3: 8, 4, 2, anything else 1
    uint8_t LevelByte = 0;         // byte 4: DPI level ordinal + 1

    friend bool operator==(const MouseSideChange&, const MouseSideChange&) = default;
};

// A HID interface of any device came or went.
struct InterfaceArrived {
    HidInterfaceInfo Info;
};
struct InterfaceRemoved {
    HidInterfaceInfo Info;
};

using PostedEvent = std::variant<MouseSideChange, InterfaceArrived, InterfaceRemoved>;

// "Post to the user-interface thread". Post may be called from any thread and
// returns at once.
class UiThreadPoster {
  public:
    virtual ~UiThreadPoster() = default;
    virtual void Post(PostedEvent event) = 0;
};

// The events in the order they were posted. The desktop program sets a wake
// hook that schedules a drain on its event loop; tests and the command-line
// tool drain it themselves.
class PostedEventQueue : public UiThreadPoster {
  public:
    void Post(PostedEvent event) override;

    // Called on the posting thread after every post, outside the queue's lock.
    // Set it before any thread can post.
    void SetWakeHook(std::function<void()> wake) { wake_ = std::move(wake); }

    // Everything queued so far, oldest first; the queue is empty afterwards.
    std::vector<PostedEvent> TakeAll();
    // Waits until at least one event is queued or the time is up; true when
    // one is queued.
    bool WaitForEvent(std::chrono::milliseconds timeout);
    size_t Size() const;

  private:
    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<PostedEvent> events_;
    std::function<void()> wake_;
};

}  // namespace velmaro
