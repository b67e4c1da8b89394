// Screenshots of the attention dialog and of the progress dialog half full,
// at UI scales 1 and 2: build/<preset>/ui_screenshots/dialogs_*.png.
#include <gtest/gtest.h>

#include "model/timer_host.h"
#include "popup_test_support.h"
#include "ui/attention_dlg.h"
#include "ui/progress_bar_dlg.h"

namespace velmaro {
namespace {

class HalfFullProgressDlg : public CProgressBarDlg {
  public:
    using CProgressBarDlg::CProgressBarDlg;
    void StartTimer(int id, int period_ms) override { clock_.StartTimer(id, period_ms); }
    void StopTimer(int id) override { clock_.StopTimer(id); }
    bool IsTimerRunning(int id) const override { return clock_.IsTimerRunning(id); }
    void Advance(long long ms) {
        clock_.Advance(ms, [this](int id) { OnTimer(id); });
    }

  private:
    ManualTimerHost clock_;
};

class DialogScreenshotTest : public ::testing::TestWithParam<double> {
  protected:
    static QString Name(const char* what, double scale) {
        return QStringLiteral("dialogs_%1_%2.png").arg(QLatin1String(what)).arg(scale, 0, 'f', 1);
    }
};

TEST_P(DialogScreenshotTest, AttentionDialog) {
    const double scale = GetParam();
    const LanguageTable language = popup_test::EnglishLanguage(scale);
    UiContext ui = popup_test::MakeUiContext(scale, language);
    CAttentionDlg dlg(ui, language, QString::fromStdU16String(language.Text(150)),
                      QString::fromStdU16String(language.Text(151)));
    dlg.Initialize();
    // The pointer on OK, so its hover look shows too.
    const Rect ok = dlg.FindControl(kAttentionOkId)->GetRect();
    dlg.HandleMouseMove(0, Point{ok.left + 4, ok.top + 4});
    EXPECT_TRUE(dlg.RenderAll().save(popup_test::ScreenshotPath(Name("attention", scale))));
}

TEST_P(DialogScreenshotTest, ProgressDialogHalfFull) {
    const double scale = GetParam();
    const LanguageTable language = popup_test::EnglishLanguage(scale);
    UiContext ui = popup_test::MakeUiContext(scale, language);
    HalfFullProgressDlg dlg(ui, QString::fromStdU16String(language.Text(150)),
                            QString::fromStdU16String(language.Text(146)));
    dlg.Initialize();
    dlg.Advance(250);
    EXPECT_TRUE(dlg.RenderAll().save(popup_test::ScreenshotPath(Name("progress", scale))));
}

INSTANTIATE_TEST_SUITE_P(Scales, DialogScreenshotTest, ::testing::Values(1.0, 2.0),
                         [](const auto& info) { return info.param == 1.0 ? "x1" : "x2"; });

}  // namespace
}  // namespace velmaro
