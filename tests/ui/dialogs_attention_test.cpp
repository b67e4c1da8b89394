// The attention dialog: what it shows, how each way of ending it ends it,
// how a long message is laid out, and the modeless, topmost variant.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "popup_test_support.h"
#include "ui/attention_dlg.h"
#include "ui/image_button.h"
#include "ui/static_text.h"
#include "ui/text_draw.h"

namespace velmaro {
namespace {

void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}

// Moves onto the control and clicks it, as the window's mouse events would.
void ClickControl(CDlgBase& dlg, uint32_t id) {
    const Rect r = dlg.FindControl(id)->GetRect();
    const Point at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    dlg.HandleMouseMove(0, at);
    dlg.HandleLButtonDown(kMkLButton, at);
    dlg.HandleLButtonUp(0, at);
}

class AttentionDlgTest : public ::testing::Test {
  protected:
    std::unique_ptr<CAttentionDlg> Make(const QString& message, double scale = 1.0) {
        ui_.Scale = scale;
        auto dlg =
            std::make_unique<CAttentionDlg>(ui_, language_, QStringLiteral("Attention"), message);
        dlg->Initialize();
        return dlg;
    }

    LanguageTable language_ = popup_test::EnglishLanguage(1.0);
    UiContext ui_ = popup_test::MakeUiContext(1.0, language_);
};

TEST_F(AttentionDlgTest, ShowsTitleMessageAndOkAtTheScaledSize) {
    for (double scale : {1.0, 1.5, 2.0}) {
        auto dlg =
            Make(QStringLiteral("At least one button must keep the Left Click function."), scale);
        EXPECT_EQ(dlg->size(), QSize(int(319 * scale), int(102 * scale))) << scale;
        auto* title = dlg->FindControlAs<CStaticText>(kAttentionTitleId);
        auto* text = dlg->FindControlAs<CStaticText>(kAttentionTextId);
        auto* ok = dlg->FindControlAs<CImageButton>(kAttentionOkId);
        ASSERT_TRUE(title && text && ok && dlg->FindControl(kAttentionCloseId));
        EXPECT_EQ(title->GetText(), QStringLiteral("Attention"));
        EXPECT_EQ(text->GetText(),
                  QStringLiteral("At least one button must keep the Left Click function."));
        EXPECT_EQ(ok->GetText(), QStringLiteral("OK"));
        EXPECT_EQ(text->GetRect(), (Rect{0, int(38 * scale), int(319 * scale), int(70 * scale)}));
        EXPECT_EQ(ok->GetRect(),
                  (Rect{int(240 * scale), int(70 * scale), int(309 * scale), int(90 * scale)}));
    }
}

struct EndCase {
    const char* name;
    std::function<void(CAttentionDlg&)> act;
    int result;
};

class AttentionEndTest : public AttentionDlgTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(AttentionEndTest, EndsTheDialog) {
    const EndCase& c = GetParam();
    auto dlg = Make(QStringLiteral("Message"));
    dlg->show();
    dlg->setResult(-1);
    c.act(*dlg);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AttentionEndTest,
    ::testing::Values(
        EndCase{"ok_button", [](CAttentionDlg& d) { ClickControl(d, kAttentionOkId); },
                QDialog::Accepted},
        EndCase{"enter", [](CAttentionDlg& d) { Key(&d, Qt::Key_Return); }, QDialog::Accepted},
        EndCase{"keypad_enter", [](CAttentionDlg& d) { Key(&d, Qt::Key_Enter); },
                QDialog::Accepted},
        EndCase{"close_button", [](CAttentionDlg& d) { ClickControl(d, kAttentionCloseId); },
                QDialog::Rejected},
        EndCase{"escape", [](CAttentionDlg& d) { Key(&d, Qt::Key_Escape); }, QDialog::Rejected}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AttentionDlgTest, OtherKeysAndClicksBesideTheButtonsDoNotEndIt) {
    auto dlg = Make(QStringLiteral("Message"));
    dlg->show();
    Key(dlg.get(), Qt::Key_Space);
    Key(dlg.get(), Qt::Key_A);
    const Point on_text{100, 50};  // the message: a control that takes no part
    dlg->HandleMouseMove(0, on_text);
    dlg->HandleLButtonUp(0, on_text);
    EXPECT_TRUE(dlg->isVisible());
}

TEST_F(AttentionDlgTest, RunsModallyUntilOk) {
    auto dlg = Make(QStringLiteral("Message"));
    QTimer::singleShot(0, dlg.get(), [&dlg] { Key(dlg.get(), Qt::Key_Return); });
    EXPECT_EQ(dlg->DoModal(), QDialog::Accepted);
}

// The program's own warnings wrap inside the 319-pixel band and show whole
// at every scale.
TEST_F(AttentionDlgTest, ProgramsWarningsShowWhole) {
    for (double scale : {1.0, 1.5, 2.0}) {
        const LanguageTable language = popup_test::EnglishLanguage(scale);
        ui_.Font = language.Font;
        for (int entry : {145, 147, 151}) {
            const QString message = QString::fromStdU16String(language.Text(size_t(entry)));
            auto dlg = Make(message, scale);
            auto* text = dlg->FindControlAs<CStaticText>(kAttentionTextId);
            const QStringList lines = LayoutSkinText(text->Font(), message, text->GetRect(),
                                                     kAttentionTextFormat | kDtWordEllipsis);
            EXPECT_EQ(lines.join(u' '), message) << scale << " " << entry;
            for (const QString& line : lines) {
                EXPECT_LE(QFontMetrics(text->Font()).horizontalAdvance(line), int(319 * scale));
            }
        }
    }
}

// A message too long for the band: only the whole lines that fit are drawn,
// and nothing outside the band.
TEST_F(AttentionDlgTest, LongMessageKeepsToWholeLinesInItsBand) {
    const QString long_text = QStringLiteral(
        "The profile file could not be read because it is not a profile of this program, so "
        "nothing was imported and the current profile is left exactly as it was before.");
    auto with_text = Make(long_text);
    auto without = Make(QString());
    auto* text = with_text->FindControlAs<CStaticText>(kAttentionTextId);
    const QFontMetrics metrics(text->Font());
    const uint32_t shown_flags = kAttentionTextFormat | kDtWordEllipsis;
    EXPECT_GE(
        LayoutSkinText(text->Font(), long_text, text->GetRect(), shown_flags & ~kDtEditControl)
            .size(),
        3);
    const QStringList lines = LayoutSkinText(text->Font(), long_text, text->GetRect(), shown_flags);
    EXPECT_EQ(lines.size(), text->GetRect().Height() / metrics.height());

    const QImage a = with_text->RenderAll().convertToFormat(QImage::Format_RGB32);
    const QImage b = without->RenderAll().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), b.size());
    const QRect band = text->GetRect().ToQRect();
    int inside = 0, outside = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                (band.contains(x, y) ? inside : outside) += 1;
            }
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

TEST_F(AttentionDlgTest, ModelessVariantStaysOnTopAndGoesAwayWhenEnded) {
    QPointer<CAttentionDlg> dlg = CAttentionDlg::ShowModeless(
        ui_, language_, QStringLiteral("Attention"), QStringLiteral("No mouse found."));
    ASSERT_FALSE(dlg.isNull());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(dlg->isModal());
    EXPECT_TRUE(dlg->windowFlags() & Qt::WindowStaysOnTopHint);
    ClickControl(*dlg, kAttentionOkId);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dlg.isNull());
}

}  // namespace
}  // namespace velmaro
