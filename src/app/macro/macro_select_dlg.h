// The macro selection dialog: the macro library as a tree; OK with a macro
// selected asks the owner to assign it (message 0x42A) and closes, OK on a
// folder or on nothing says to select a macro first. When it opens every
// folder is closed and nothing is selected.
#pragma once

#include <functional>

#include "app/macro/macro_tree_source.h"
#include "model/language_table.h"
#include "ui/dlg_base.h"

namespace velmaro {

inline constexpr uint32_t kMacroSelectCloseId = 0x7D4;   // 2004
inline constexpr uint32_t kMacroSelectOkId = 0x7DA;      // 2010
inline constexpr uint32_t kMacroSelectTitleId = 0x7E9;   // 2025
inline constexpr uint32_t kMacroSelectTreeId = 0x7DF;    // 2015
inline constexpr uint32_t kMacroSelectScrollId = 0x7E5;  // 2021
// Sent to the owner when a macro was chosen.
inline constexpr uint32_t kMacroSelectedMessage = 0x42A;
inline constexpr uint16_t kMessageSelectMacroFirst = 234;

class CEditShowList;
class CVScrollBar;

class CMacroSelectDlg : public CDlgBase {
  public:
    static constexpr int kWidth = 528;
    static constexpr int kHeight = 365;
    // Shows an attention message (title entry 150) modally.
    using AttentionFn = std::function<void(uint16_t message_entry)>;

    CMacroSelectDlg(UiContext& ui, const LanguageTable& language, MacroLibrary& library,
                    CDlgBase* owner = nullptr, AttentionFn attention = nullptr);

    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    CEditShowList* Tree() const { return tree_; }
    CVScrollBar* ScrollBar() const { return scroll_; }
    MacroTreeSource& Source() { return source_; }

  protected:
    bool OnMouseWheel(int notches, Point p) override;

  private:
    void OnOk();
    void OnScroll(uintptr_t part, intptr_t code);
    // Keeps the first visible row within the rows and the bar in step.
    void ScrollTo(int firstRow);

    const LanguageTable& language_;
    MacroLibrary& library_;
    CDlgBase* owner_;
    AttentionFn attention_;
    MacroTreeSource source_;
    CEditShowList* tree_ = nullptr;
    CVScrollBar* scroll_ = nullptr;
};

}  // namespace velmaro
