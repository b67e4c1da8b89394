// The macro library as rows of the skinned tree: the library's visible rows
// (open folders show their children), its selection and its folder flags.
#pragma once

#include <QString>

#include "macro/macro_library.h"
#include "ui/list_row_source.h"

namespace velmaro {

class MacroTreeSource : public ListRowSource {
  public:
    explicit MacroTreeSource(MacroLibrary& library) : library_(library) {}

    int RowCount() const override { return library_.VisibleRowCount(); }
    ListRow Row(int index) const override;
    int SelectedRow() const override { return library_.LocationToRow(library_.SelectedLocation); }
    void SelectRow(int index) override;
    void ToggleFolder(int index) override;

    // Closes every folder of the tree.
    void CloseAllFolders();

    // Follows the name of a macro the mouse cannot play (too many key
    // actions), so it is seen before it is chosen for a button.
    void SetTooLongSuffix(QString suffix) { tooLong_ = std::move(suffix); }

  private:
    MacroLibrary& library_;
    QString tooLong_;
};

}  // namespace velmaro
