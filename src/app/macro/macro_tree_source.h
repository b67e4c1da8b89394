// The macro library as rows of the skinned tree: the library's visible rows
// (open folders show their children), its selection and its folder flags.
#pragma once

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

  private:
    MacroLibrary& library_;
};

}  // namespace velmaro
