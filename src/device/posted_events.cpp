#include "device/posted_events.h"

namespace velmaro {

void PostedEventQueue::Post(PostedEvent event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    queued_.notify_all();
    if (wake_)
        wake_();
}

std::vector<PostedEvent> PostedEventQueue::TakeAll() {
    std::lock_guard lock(mutex_);
    std::vector<PostedEvent> taken(std::make_move_iterator(events_.begin()),
                                   std::make_move_iterator(events_.end()));
    events_.clear();
    return taken;
}

bool PostedEventQueue::WaitForEvent(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return queued_.wait_for(lock, timeout, [this] { return !events_.empty(); });
}

size_t PostedEventQueue::Size() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

}  // namespace velmaro
