#include "app/macro/action_time_modify_dlg.h"

#include <QString>
#include <algorithm>

#include "ui/attention_dlg.h"

namespace velmaro {

namespace {

constexpr uint16_t kTitleDelay = 220;
constexpr uint16_t kAttentionTitle = 150;

}  // namespace

uint32_t DelayFromText(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    int64_t v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        v = v * 10 + (text[i] - u'0');
        // Past the limit nothing more changes the result.
        if (v > kMaxMacroDelayMs)
            v = int64_t(kMaxMacroDelayMs) + 1;
    }
    // A negative length has no meaning as a delay: it counts as none.
    if (negative)
        return 0;
    return uint32_t(std::min<int64_t>(v, kMaxMacroDelayMs));
}

CActionTimeModifyDlg::CActionTimeModifyDlg(UiContext& ui, const LanguageTable& language,
                                           MacroAction& action, MacroAttentionFn attention,
                                           DialogRegistry registry, QWidget* parent)
    : CMacroEditDlgBase(ui, language, kTitleDelay, true, QString::number(action.DelayMs()), false,
                        std::move(registry), parent),
      action_(action),
      attention_(std::move(attention)) {}

void CActionTimeModifyDlg::OnOk() {
    action_ = MacroAction::Delay(DelayFromText(EditText().toStdU16String()));
    CMacroEditDlgBase::OnOk();
}

// The character is entered after the message all the same.
void CActionTimeModifyDlg::OnEditChar(QChar c) {
    if (c >= u'0' && c <= u'9')
        return;
    if (attention_) {
        attention_(kMessageDigitsOnly);
        return;
    }
    CAttentionDlg dlg(Ui(), Language(), QString::fromStdU16String(Language().Text(kAttentionTitle)),
                      QString::fromStdU16String(Language().Text(kMessageDigitsOnly)), this);
    dlg.DoModal();
}

}  // namespace velmaro
