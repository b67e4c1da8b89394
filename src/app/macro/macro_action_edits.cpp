#include "app/macro/macro_action_edits.h"

#include <algorithm>

namespace velmaro {

namespace {
constexpr uint32_t kTimeMask = 0x7FFFFFFF;

bool IsCommand(const MacroAction& action) {
    return action.Bytes[0] > 0x07;
}

MacroAction KeyAction(uint8_t code, bool release) {
    return MacroAction::Make(code, release ? 0x80 : 0x00, 0, 0);
}
}  // namespace

void MacroRecorder::Start(MacroRecord& macro) {
    lastKey_ = 0;
    lastRelease_ = false;
    lastTime_ = 0;
    macro.MacroActionNum = 0;
    macro.MacroCommandActionNum = 0;
}

RecordOutcome MacroRecorder::OnKey(MacroRecord* macro, uint8_t key, bool release, uint32_t time,
                                   bool withDelays) {
    // A held key repeats its press: only the first one counts.
    if (key < 8 || macro == nullptr || (key == lastKey_ && release == lastRelease_))
        return RecordOutcome::Ignored;
    RecordOutcome outcome = RecordOutcome::Recorded;
    if (macro->MacroActionNum == 0) {
        // Nothing before the first action to measure a pause from.
        ++macro->MacroCommandActionNum;
        macro->InsertAction(macro->MacroActionNum, KeyAction(key, release));
    } else if (macro->MacroCommandActionNum + 1u > kMaxCommandActions) {
        outcome = RecordOutcome::LimitReached;
    } else {
        ++macro->MacroCommandActionNum;
        if (withDelays) {
            const uint32_t pause = std::min((time - lastTime_) & kTimeMask, kMaxRecordedDelayMs);
            macro->InsertAction(macro->MacroActionNum, MacroAction::Delay(pause));
        }
        macro->InsertAction(macro->MacroActionNum, KeyAction(key, release));
    }
    lastKey_ = key;
    lastRelease_ = release;
    lastTime_ = time & kTimeMask;
    return outcome;
}

uint32_t InsertPosition(const MacroRecord& macro, int selected) {
    if (selected >= 0 && uint32_t(selected) < macro.UsedCount())
        return uint32_t(selected) + 1;
    return macro.UsedCount();
}

std::optional<int> InsertPressAndRelease(MacroRecord& macro, int selected, uint8_t code) {
    if (macro.MacroCommandActionNum + 2u > kMaxCommandActions)
        return std::nullopt;
    // Three free slots, so the count and the list never part ways.
    if (macro.UsedCount() + 3 > kMacroActionSlots)
        return std::nullopt;
    const uint32_t p = InsertPosition(macro, selected);
    macro.MacroCommandActionNum += 2;
    macro.InsertAction(p, KeyAction(code, true));
    macro.InsertAction(p, MacroAction::Delay(kInsertedPauseMs));
    macro.InsertAction(p, KeyAction(code, false));
    return int(p) + 2;
}

void RemoveInsertedPressAndRelease(MacroRecord& macro, int release) {
    if (release < 2)
        return;
    for (int i = 0; i < 3; ++i)
        macro.RemoveAction(uint32_t(release - 2));
    macro.MacroCommandActionNum = uint8_t(std::max(0, macro.MacroCommandActionNum - 2));
}

void SetPressAndReleaseKey(MacroRecord& macro, int release, uint8_t code) {
    if (release < 2)
        return;
    macro.AllAction[size_t(release - 2)].Bytes[0] = code;
    macro.AllAction[size_t(release)].Bytes[0] = code;
}

int DeleteAction(MacroRecord& macro, int selected) {
    if (selected < 0 || uint32_t(selected) >= macro.UsedCount())
        return selected;
    const bool command = IsCommand(macro.AllAction[size_t(selected)]);
    macro.RemoveAction(uint32_t(selected));
    if (command && macro.MacroCommandActionNum > 0)
        --macro.MacroCommandActionNum;
    const int count = int(macro.UsedCount());
    if (count == 0)
        return -1;
    return std::min(selected, count - 1);
}

}  // namespace velmaro
