// Screenshots of the button-function menu with its DPI lock list open beside
// it, at UI scales 1 and 2, laid over the main window's background the way
// they appear on screen: build/<preset>/ui_screenshots/popup_menu_<scale>.png.
#include <gtest/gtest.h>

#include <QPainter>
#include <memory>

#include "popup_test_support.h"
#include "ui/combo_popup.h"
#include "ui/function_list_popups.h"
#include "ui/skin_image.h"

namespace velmaro {
namespace {

class PopupScreenshotTest : public ::testing::TestWithParam<double> {
  protected:
};

TEST_P(PopupScreenshotTest, MenuAndListOverTheMainWindow) {
    const double scale = GetParam();
    const LanguageTable language = popup_test::EnglishLanguage(scale);
    UiContext ui = popup_test::MakeUiContext(scale, language);
    const PopupItemImages images = MenuItemImages(ui);
    auto owner = std::make_unique<popup_test::RecordingOwner>(ui);

    auto* menu = new CComboPopup(ui, language, images);
    ASSERT_TRUE(menu->Create(owner.get(), Rect{0, 0, 1, 1}, kComboMenuChoiceMessage, 2013));
    auto* list = new CDPILockPopup(ui, language, images);
    ASSERT_TRUE(list->Create(owner.get(), Rect{0, 0, 1, 1}, kDpiLockListChoiceMessage, 2013));
    popup_test::MoveTo(menu,
                       popup_test::Centre(menu->Items()[14].Bounds));  // DPI lock, with its arrow
    popup_test::MoveTo(list, popup_test::Centre(list->Items()[6].Bounds));  // 800

    const QImage back(BitmapResourcePath(364));
    ASSERT_FALSE(back.isNull());
    const int margin = int(24 * scale);
    const QSize size(margin * 3 + menu->width() + list->width(),
                     margin * 2 + std::max(menu->height(), list->height()));
    QImage shot(size, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&shot);
        p.drawImage(QRect(QPoint(0, 0), size), back, QRect(QPoint(300, 200), size / scale));
        p.drawImage(QPoint(margin, margin), menu->Rendered());
        p.drawImage(QPoint(margin * 2 + menu->width(), margin + int(118 * scale)),
                    list->Rendered());
    }
    const QString name = QStringLiteral("popup_menu_%1.png").arg(scale, 0, 'f', 1);
    EXPECT_TRUE(shot.save(popup_test::ScreenshotPath(name)));
    EXPECT_TRUE(menu->Rendered().save(popup_test::ScreenshotPath(
        QStringLiteral("popup_menu_alone_%1.png").arg(scale, 0, 'f', 1))));
    owner.reset();
}

INSTANTIATE_TEST_SUITE_P(Scales, PopupScreenshotTest, ::testing::Values(1.0, 2.0),
                         [](const auto& info) { return info.param == 1.0 ? "x1" : "x2"; });

}  // namespace
}  // namespace velmaro
