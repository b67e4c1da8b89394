// A macro's actions as rows of the skinned action list: each action's icon
// and text, and the selected action.
#pragma once

#include "model/macro_record.h"
#include "ui/list_row_source.h"

namespace velmaro {

class MacroActionSource : public ListRowSource {
  public:
    // Icons of the action list: ListRow::Icon values.
    static constexpr int kClockIcon = 0;
    static constexpr int kPressIcon = 1;
    static constexpr int kReleaseIcon = 2;

    // Shows another macro (or none) with nothing selected.
    void SetMacro(MacroRecord* macro) {
        macro_ = macro;
        selected_ = -1;
    }
    MacroRecord* Macro() const { return macro_; }

    int RowCount() const override { return macro_ != nullptr ? int(macro_->UsedCount()) : 0; }
    ListRow Row(int index) const override;
    int SelectedRow() const override { return selected_; }
    void SelectRow(int index) override;

  private:
    MacroRecord* macro_ = nullptr;
    int selected_ = -1;
};

}  // namespace velmaro
