// The fire key dialog: two numbers typed by the user (the first, 5..255, and
// the second, 0..255). A check every 100 ms cuts numbers above 255 to 255 and
// says so; OK refuses a first number of 4 or less. An accepted pair goes to
// the owner as 0x427 with the address of the result, then the dialog closes.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "model/button_functions.h"
#include "model/language_table.h"
#include "ui/dlg_base.h"
#include "ui/wnd_popup.h"

class QLineEdit;

namespace velmaro {

inline constexpr uint32_t kFireKeyCloseId = 0x7D4;  // 2004
inline constexpr uint32_t kFireKeyOkId = 0x7DA;     // 2010
// The choice, sent to the owner.
inline constexpr uint32_t kFireKeyChoiceMessage = 0x427;
// The field check, every 100 ms while the dialog is open.
inline constexpr int kFireKeyCheckTimer = 1;
inline constexpr int kFireKeyCheckPeriodMs = 100;

class CFireKeyDlg : public CDlgBase {
  public:
    static constexpr int kWidth = 429;
    static constexpr int kHeight = 140;
    // Shows an attention message (title entry 150) modally.
    using AttentionFn = std::function<void(uint16_t message_entry)>;

    // `owner` receives the choice; `attention` shows the messages (null: an
    // attention dialog of its own).
    CFireKeyDlg(UiContext& ui, const LanguageTable& language, CDlgBase* owner = nullptr,
                AttentionFn attention = nullptr);

    bool OnInitDialog() override;
    void DrawWindow(QPainter& dc, const Rect& updateRect) override;
    void InitUI(int left, int top, int right, int bottom) override;

    QLineEdit* FirstField() const { return first_; }
    QLineEdit* SecondField() const { return second_; }
    // What the 100 ms timer does.
    void CheckFields();
    // What OK sent, if anything.
    const std::optional<ButtonChoice>& Choice() const { return choice_; }

  protected:
    void OnTimer(int id) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnOk();
    void Attention(uint16_t message_entry);

    const LanguageTable& language_;
    CDlgBase* owner_;
    AttentionFn attention_;
    QLineEdit* first_ = nullptr;
    QLineEdit* second_ = nullptr;
    std::optional<ButtonChoice> choice_;
    PopupResult result_;
};

// A field's number: the decimal digits up to the first other character, 0
// when there are none; large values are held at a bound above 255.
int FireKeyFieldNumber(const QString& text);

}  // namespace velmaro
