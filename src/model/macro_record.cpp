#include "model/macro_record.h"

#include <algorithm>

namespace velmaro {

bool MacroRecord::InsertAction(uint32_t index, MacroAction action) {
    const uint32_t used = UsedCount();
    if (used >= kMacroActionSlots)
        return false;
    if (index > used)
        index = used;
    std::copy_backward(AllAction.begin() + index, AllAction.begin() + used,
                       AllAction.begin() + used + 1);
    AllAction[index] = action;
    MacroActionNum = used + 1;
    return true;
}

bool MacroRecord::SetAction(uint32_t index, MacroAction action) {
    if (index >= kMacroActionSlots)
        return false;
    AllAction[index] = action;
    return true;
}

bool MacroRecord::RemoveAction(uint32_t index) {
    const uint32_t used = UsedCount();
    if (index >= used)
        return false;
    std::copy(AllAction.begin() + index + 1, AllAction.end(), AllAction.begin() + index);
    AllAction[kMacroActionSlots - 1] = MacroAction{};
    MacroActionNum = used - 1;
    return true;
}

void MacroRecord::CopyMacroContent(const MacroRecord& source) {
    MacroCommandActionNum = source.MacroCommandActionNum;
    MacroKeyLoopNum = source.MacroKeyLoopNum;
    MacroKeyLoopType = source.MacroKeyLoopType;
    MacroName = source.MacroName;
    MacroActionNum = source.MacroActionNum;
    AllAction = source.AllAction;
}

uint32_t MacroRecord::CountCommandActions() const {
    const uint32_t used = UsedCount();
    return static_cast<uint32_t>(std::count_if(AllAction.begin(), AllAction.begin() + used,
                                               [](const MacroAction& a) { return !a.IsDelay(); }));
}

}  // namespace velmaro
