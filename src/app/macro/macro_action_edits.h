// The manager's edits of one macro's action list, apart from the window:
// recording key events, inserting clicks, keys and delays, and deleting an
// action, each with the non-delay action count the mouse is told and the
// selection the list shows afterwards. Selections are action indexes, -1 for
// none.
#pragma once

#include <cstdint>
#include <optional>

#include "model/macro_record.h"

namespace velmaro {

// The recorder takes at most this long a pause between two key events.
inline constexpr uint32_t kMaxRecordedDelayMs = 4095;
// The pause put between the press and the release of an inserted click or key.
inline constexpr uint32_t kInsertedPauseMs = 50;
// A new delay starts at this value before the user edits it.
inline constexpr uint32_t kNewDelayMs = 100;

enum class RecordOutcome {
    Ignored,       // no macro, no key, or a held key repeating
    Recorded,      // the key (and the pause before it) was appended
    LimitReached,  // one more non-delay action would be too many: nothing recorded
};

// Turns key events into actions while the record button is down.
class MacroRecorder {
  public:
    // A new recording: the macro's list and count start again from nothing
    // (its slots keep what they held).
    void Start(MacroRecord& macro);
    // One key press or release: code k, release flag and its time stamp in
    // milliseconds (31 bits). `withDelays` puts the pause since the previous
    // event in front of every action but the first.
    RecordOutcome OnKey(MacroRecord* macro, uint8_t key, bool release, uint32_t time,
                        bool withDelays);

  private:
    uint8_t lastKey_ = 0;
    bool lastRelease_ = false;
    uint32_t lastTime_ = 0;
};

// Where an insert goes: after the selected action, or at the end.
uint32_t InsertPosition(const MacroRecord& macro, int selected);

// Press, 50 ms pause and release of `code` at the insert position; the
// release is selected. None (nothing inserted) when two more non-delay
// actions would be too many.
std::optional<int> InsertPressAndRelease(MacroRecord& macro, int selected, uint8_t code);

// Removes the inserted press, pause and release again (a cancelled key).
void RemoveInsertedPressAndRelease(MacroRecord& macro, int release);

// Gives the press and release at release - 2 and `release` the key `code`.
void SetPressAndReleaseKey(MacroRecord& macro, int release, uint8_t code);

// Removes the selected action; the new selection (the action that took its
// place, the new last action when it was the last, -1 for an empty list).
int DeleteAction(MacroRecord& macro, int selected);

}  // namespace velmaro
