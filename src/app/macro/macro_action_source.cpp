#include "app/macro/macro_action_source.h"

#include "macro/macro_action_text.h"

namespace velmaro {

ListRow MacroActionSource::Row(int index) const {
    if (index < 0 || index >= RowCount())
        return {};
    const MacroAction& action = macro_->AllAction[size_t(index)];
    ListRow row;
    row.Text = QString::fromStdU16String(MacroActionText(action));
    switch (MacroActionIconOf(action)) {
        case MacroActionIcon::Clock:
            row.Icon = kClockIcon;
            break;
        case MacroActionIcon::Press:
            row.Icon = kPressIcon;
            break;
        case MacroActionIcon::Release:
            row.Icon = kReleaseIcon;
            break;
    }
    return row;
}

void MacroActionSource::SelectRow(int index) {
    selected_ = index >= 0 && index < RowCount() ? index : -1;
}

}  // namespace velmaro
