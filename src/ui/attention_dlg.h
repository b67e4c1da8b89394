// The attention dialog: a message with an OK button, run modally over the
// window that wants to warn the user. The caller's title is shown on the
// frame's title line, the message centred and word-wrapped below it (lines
// beyond the message band are left out). OK, Enter, the close button and Escape
// end it.
#pragma once

#include <QString>

#include "model/language_table.h"
#include "ui/dlg_base.h"

namespace velmaro {

inline constexpr uint32_t kAttentionCloseId = 0x7D4;
inline constexpr uint32_t kAttentionOkId = 0x7DA;
inline constexpr uint32_t kAttentionTitleId = 0x7DC;
inline constexpr uint32_t kAttentionTextId = 0x7DD;

// Title colour and the message's layout: centred, word-wrapped, whole lines
// only.
inline constexpr ColorRef kAttentionTitleColor = 0xFE9252;
inline constexpr uint32_t kAttentionTextFormat =
    kDtCenter | kDtVCenter | kDtWordBreak | kDtEditControl;  // 0x2015

// The message band, unscaled: the free space between the title line and the
// buttons, two lines of the program's font, so the program's own warnings
// show whole when they wrap.
inline constexpr Rect kAttentionTextRect{0, 38, 319, 70};

// Short: the program's one- or two-line warnings. Long: a wider, taller frame
// whose message is left-aligned and keeps its line breaks, for steps to follow
// (commands to run, a file named by its whole path).
enum class AttentionLayout { Short, Long };

class CAttentionDlg : public CDlgBase {
  public:
    // Unscaled window size; the frame "Frame_warning.bmp" has this size.
    static constexpr int kWidth = 319;
    static constexpr int kHeight = 102;
    // The long layout's frame, "Frame_warning_long.bmp".
    static constexpr int kLongWidth = 560;
    static constexpr int kLongHeight = 220;

    CAttentionDlg(UiContext& ui, const LanguageTable& language, const QString& title,
                  const QString& message, QWidget* owner = nullptr,
                  AttentionLayout layout = AttentionLayout::Short);

    // The one modeless use (the start-up connection check): shown at once,
    // above other windows; it deletes itself when OK or close ends it.
    static CAttentionDlg* ShowModeless(UiContext& ui, const LanguageTable& language,
                                       const QString& title, const QString& message,
                                       QWidget* owner = nullptr,
                                       AttentionLayout layout = AttentionLayout::Short);

    const QString& Title() const { return title_; }
    const QString& Message() const { return message_; }
    AttentionLayout Layout() const { return layout_; }

    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

  protected:
    void OnEnterKey() override { Finish(QDialog::Accepted); }
    void OnEscapeKey() override { Finish(QDialog::Rejected); }

  private:
    void Finish(int result);

    const LanguageTable& language_;
    QString title_;
    QString message_;
    AttentionLayout layout_;
};

}  // namespace velmaro
