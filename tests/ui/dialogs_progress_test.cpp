// The progress dialog on a clock the test moves: the bar grows 2 percent
// every 10 ms from the moment the dialog initialises, the last step draws 98
// percent, and the dialog ends 20 ms after the bar is full.
#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <vector>

#include "model/timer_host.h"
#include "popup_test_support.h"
#include "ui/progress_bar_dlg.h"
#include "ui/skin_image.h"
#include "ui/static_text.h"

namespace velmaro {
namespace {

// The dialog with its timers on a manual clock.
class DrivenProgressDlg : public CProgressBarDlg {
  public:
    using CProgressBarDlg::CProgressBarDlg;

    void StartTimer(int id, int period_ms) override { clock_.StartTimer(id, period_ms); }
    void StopTimer(int id) override { clock_.StopTimer(id); }
    bool IsTimerRunning(int id) const override { return clock_.IsTimerRunning(id); }

    void Advance(long long ms) {
        clock_.Advance(ms, [this](int id) { OnTimer(id); });
    }
    long long Now() const { return clock_.Now(); }

  private:
    ManualTimerHost clock_;
};

class ProgressDlgTest : public ::testing::Test {
  protected:
    std::unique_ptr<DrivenProgressDlg> Make(double scale = 1.0) {
        ui_.Scale = scale;
        auto dlg = std::make_unique<DrivenProgressDlg>(ui_, QStringLiteral("Attention"),
                                                       QStringLiteral("Applying settings..."));
        dlg->show();  // initialises: the fill starts now
        return dlg;
    }

    LanguageTable language_ = popup_test::EnglishLanguage(1.0);
    UiContext ui_ = popup_test::MakeUiContext(1.0, language_);
};

TEST_F(ProgressDlgTest, ShowsTheMessageAtTheScaledSize) {
    auto dlg = Make(2.0);
    EXPECT_EQ(dlg->size(), QSize(858, 280));
    auto* text = dlg->FindControlAs<CStaticText>(kProgressTextId);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetText(), QStringLiteral("Applying settings..."));
    EXPECT_EQ(text->GetRect(), (Rect{20, 6, 328, 46}));
}

TEST_F(ProgressDlgTest, FillsTwoPercentEveryTenMillisecondsThenClosesTwentyAfterFull) {
    auto dlg = Make();
    // The first step is drawn as the dialog initialises.
    std::vector<int> widths{dlg->BarWidth()};
    while (dlg->Now() < 490) {
        dlg->Advance(10);
        widths.push_back(dlg->BarWidth());
    }
    ASSERT_EQ(widths.size(), 50u);
    for (size_t k = 0; k < widths.size(); ++k) {
        EXPECT_EQ(widths[k], int(2 * k) * 429 / 100) << "step " << k;
    }
    EXPECT_EQ(widths.back(), 420);  // 98 percent: the last step drawn
    EXPECT_EQ(dlg->Percent(), 100);
    EXPECT_TRUE(dlg->isVisible());

    // The next tick finds the bar full and starts the 20 ms close.
    dlg->Advance(10);
    EXPECT_FALSE(dlg->IsTimerRunning(CProgressBarDlg::kFillTimer));
    EXPECT_TRUE(dlg->IsTimerRunning(CProgressBarDlg::kCloseTimer));
    dlg->Advance(19);
    EXPECT_TRUE(dlg->isVisible());
    dlg->setResult(-1);
    dlg->Advance(1);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->IsTimerRunning(CProgressBarDlg::kCloseTimer));
    EXPECT_EQ(dlg->Now(), 520);
}

// The bar is the strip at y = 66 of the second frame image, drawn as wide as
// the fill has got; a repaint keeps it.
TEST_F(ProgressDlgTest, PaintsTheBarStripUpToTheFill) {
    for (double scale : {1.0, 2.0}) {
        auto dlg = Make(scale);
        dlg->Advance(240);  // step 24: 48 percent
        ASSERT_EQ(dlg->BarWidth(), 48 * 429 / 100);
        const QImage bar(ui_.SkinFile("Frame_progress_ov.bmp"));
        const QImage back(ui_.SkinFile("Frame_progress_nr.bmp"));
        ASSERT_FALSE(bar.isNull());
        const QImage shown = dlg->RenderAll().convertToFormat(QImage::Format_RGB32);
        const QImage again = dlg->RenderAll().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, again);
        const int y = int(70 * scale);
        for (int x : {3, 100, 200, dlg->BarWidth() - 2}) {
            EXPECT_EQ(shown.pixel(int(x * scale), y), bar.pixel(x, 70)) << scale << " " << x;
        }
        for (int x : {dlg->BarWidth() + 2, 400}) {
            EXPECT_EQ(shown.pixel(int(x * scale), y), back.pixel(x, 70)) << scale << " " << x;
        }
    }
}

// Two progress dialogs at once (an apply inside another's modal run) each
// fill and close; neither waits on the other.
TEST_F(ProgressDlgTest, TwoDialogsAtOnceBothFillAndClose) {
    auto first = Make();
    first->Advance(100);
    auto second = Make();
    for (int t = 0; t < 60; ++t) {
        first->Advance(10);
        second->Advance(10);
    }
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(first->result(), QDialog::Accepted);
    EXPECT_EQ(second->result(), QDialog::Accepted);
}

// On the real clock the modal run ends by itself.
TEST_F(ProgressDlgTest, ModalRunEndsByItself) {
    ui_.Scale = 1.0;
    CProgressBarDlg dlg(ui_, QStringLiteral("Attention"), QStringLiteral("Applying settings..."));
    // A safety net so a broken fill cannot hang the test program.
    QTimer::singleShot(10000, &dlg, [&dlg] { dlg.EndDialog(QDialog::Rejected); });
    EXPECT_EQ(dlg.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dlg.Percent(), 100);
}

}  // namespace
}  // namespace velmaro
