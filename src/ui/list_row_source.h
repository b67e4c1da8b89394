// Where the skinned lists get their rows: the macro library tree and a
// macro's action list implement this, the lists only draw and route input.
#pragma once

#include <QString>

namespace velmaro {

struct ListRow {
    QString Text;
    // Indentation stage (tree rows).
    int Level = 0;
    bool IsFolder = false;
    // A folder drawn open.
    bool Open = false;
    // Action icon index (action rows); -1 for none.
    int Icon = -1;
};

class ListRowSource {
  public:
    virtual ~ListRowSource() = default;
    virtual int RowCount() const = 0;
    virtual ListRow Row(int index) const = 0;
    // The selected row, or -1.
    virtual int SelectedRow() const = 0;
    // -1 clears the selection (a press below the last row).
    virtual void SelectRow(int index) = 0;
    // Opens or closes the folder at `index` (tree rows).
    virtual void ToggleFolder(int index) { (void)index; }
};

}  // namespace velmaro
