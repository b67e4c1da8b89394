// Screenshots of the four macro editing dialogs and the manager's two popups
// at UI scales 1 and 2: build/<preset>/macro_dialog_screenshots/*.png.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <memory>

#include "app/macro/action_key_modify_dlg.h"
#include "app/macro/action_time_modify_dlg.h"
#include "app/macro/macro_name_dlg.h"
#include "app/macro/macro_rename_dlg.h"
#include "ui/combo_action_insert_popup.h"
#include "ui/macro_list_popup.h"
#include "ui/popup_test_support.h"

namespace velmaro {
namespace {

class MacroDialogScreenshotTest : public ::testing::TestWithParam<double> {
  protected:
    static QString Name(const char* what, double scale) {
        return QStringLiteral("%1_%2.png").arg(QLatin1String(what)).arg(scale, 0, 'f', 1);
    }
    // The window as the user sees it, the edit box included, with the
    // pointer resting on OK.
    static void Shoot(CMacroEditDlgBase& dlg, const char* what, double scale) {
        dlg.show();
        QCoreApplication::processEvents();
        const Rect ok = dlg.FindControl(kMacroEditOkId)->GetRect();
        dlg.HandleMouseMove(0, Point{ok.left + 4, ok.top + 4});
        const QImage shot = dlg.grab().toImage();
        EXPECT_EQ(shot.size(), QSize(int(319 * scale), int(102 * scale)));
        EXPECT_TRUE(shot.save(popup_test::ScreenshotPath(Name(what, scale))));
    }

    double scale_ = GetParam();
    LanguageTable language_ = popup_test::EnglishLanguage(scale_);
    UiContext ui_ = popup_test::MakeUiContext(scale_, language_);
};

TEST_P(MacroDialogScreenshotTest, EditingDialogs) {
    CMacroKeyOrFolderNameDlg name(ui_, language_, MacroNameMode::Folder);
    name.show();
    name.EditBox()->setText(QStringLiteral("Raid keys"));
    Shoot(name, "macro_name_dialog", scale_);

    CMacroKeyRenameDlg rename(ui_, language_, u"Quick build");
    Shoot(rename, "macro_rename_dialog", scale_);

    MacroAction key = MacroAction::Make(0xA2, 0, 0, 0);
    CActionKeyModifyDlg capture(ui_, language_, key);
    Shoot(capture, "macro_key_dialog", scale_);

    MacroAction delay = MacroAction::Delay(250);
    CActionTimeModifyDlg time(ui_, language_, delay, [](uint16_t) {});
    Shoot(time, "macro_delay_dialog", scale_);
}

TEST_P(MacroDialogScreenshotTest, Popups) {
    popup_test::RecordingOwner owner(ui_);
    owner.show();
    const PopupItemImages images = MenuItemImages(ui_);
    auto* menu = new CMacroListPopup(ui_, language_, MacroTreeSelection::Macro, images);
    ASSERT_TRUE(menu->Create(&owner, Rect{40, 40, 50, 50}, kMacroListChoiceMessage, 0));
    popup_test::MoveTo(menu, popup_test::Centre(menu->Items()[2].Bounds));
    EXPECT_TRUE(menu->Rendered().save(popup_test::ScreenshotPath(Name("macro_tree_menu", scale_))));
    menu->close();

    auto* insert = new CComboActionInsertPopup(ui_, language_, kActionInsertPopupKind, images);
    ASSERT_TRUE(insert->Create(&owner, Rect{40, 40, 50, 50}, kActionInsertChoiceMessage, 0));
    popup_test::MoveTo(insert, popup_test::Centre(insert->Items()[3].Bounds));
    EXPECT_TRUE(
        insert->Rendered().save(popup_test::ScreenshotPath(Name("macro_insert_list", scale_))));
    insert->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

INSTANTIATE_TEST_SUITE_P(Scales, MacroDialogScreenshotTest, ::testing::Values(1.0, 2.0),
                         [](const auto& info) { return info.param == 1.0 ? "x1" : "x2"; });

}  // namespace
}  // namespace velmaro
