// The four small macro editing dialogs: what OK and Cancel leave in the
// action or the result, typed through the edit box or captured through the
// keyboard hook, and their place in the open-dialog table.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/macro/action_key_modify_dlg.h"
#include "app/macro/action_time_modify_dlg.h"
#include "app/macro/macro_name_dlg.h"
#include "app/macro/macro_rename_dlg.h"
#include "macro/library_outline.h"
#include "model/key_tables.h"
#include "ui/popup_test_support.h"

namespace velmaro {
namespace {

class MacroEditDialogTest : public ::testing::Test {
  protected:
    // Shows the dialog (it initialises then) without a modal loop.
    static void Open(CMacroEditDlgBase& dlg) {
        dlg.show();
        QCoreApplication::processEvents();
    }
    // Replaces the edit's text by typing `text` key by key, then presses Enter.
    static void TypeAndConfirm(CMacroEditDlgBase& dlg, const QString& text) {
        QLineEdit* edit = dlg.EditBox();
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static void ClickButton(CMacroEditDlgBase& dlg, uint32_t id) {
        const QPoint at = popup_test::Centre(dlg.FindControl(id)->GetRect());
        dlg.HandleMouseMove(0, Point{at.x(), at.y()});
        dlg.HandleLButtonDown(0, Point{at.x(), at.y()});
        dlg.HandleLButtonUp(0, Point{at.x(), at.y()});
    }

    LanguageTable language_ = popup_test::EnglishLanguage(1.0);
    UiContext ui_ = popup_test::MakeUiContext(1.0, language_);
};

// --- delay ------------------------------------------------------------------

struct DelayCase {
    const char* typed;
    MacroAction result;
    int messages;  // attention messages shown while typing
};

void PrintTo(const DelayCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class DelayDialogTest : public MacroEditDialogTest,
                        public ::testing::WithParamInterface<DelayCase> {};

TEST_P(DelayDialogTest, EnterMakesTheTypedDelay) {
    const DelayCase& c = GetParam();
    MacroAction action = MacroAction::Delay(50);
    int shown = 0;
    CActionTimeModifyDlg dlg(ui_, language_, action, [&](uint16_t entry) {
        EXPECT_EQ(entry, kMessageDigitsOnly);
        ++shown;
    });
    Open(dlg);
    TypeAndConfirm(dlg, QString::fromUtf8(c.typed));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(action, c.result);
    EXPECT_EQ(shown, c.messages);
    // The characters that drew a message are entered all the same.
    EXPECT_EQ(dlg.EditBox()->text(), QString::fromUtf8(c.typed));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DelayDialogTest,
    ::testing::Values(DelayCase{"20000000", MacroAction::Make(0x03, 0xE9, 0x75, 0xA0), 0},
                      DelayCase{"15300000", MacroAction::Make(0x03, 0xE9, 0x75, 0xA0), 0},
                      DelayCase{"4095", MacroAction::Make(0x03, 0x00, 0x0F, 0xFF), 0},
                      DelayCase{"0", MacroAction::Make(0x03, 0, 0, 0), 0},
                      DelayCase{"", MacroAction::Make(0x03, 0, 0, 0), 0},
                      DelayCase{"ab", MacroAction::Make(0x03, 0, 0, 0), 2},
                      DelayCase{"12ab", MacroAction::Make(0x03, 0, 0, 12), 2},
                      DelayCase{"99999999999", MacroAction::Make(0x03, 0xE9, 0x75, 0xA0), 0},
                      // A negative length would wrap to a huge delay: none instead.
                      DelayCase{"-5", MacroAction::Make(0x03, 0, 0, 0), 1}));

TEST_F(MacroEditDialogTest, DelayDialogShowsTheDelayAndCancelKeepsIt) {
    MacroAction action = MacroAction::Make(0x03, 0x00, 0x00, 0x32);
    CActionTimeModifyDlg dlg(ui_, language_, action, [](uint16_t) {});
    Open(dlg);
    EXPECT_EQ(dlg.EditBox()->text(), QStringLiteral("50"));
    QTest::keyClicks(dlg.EditBox(), QStringLiteral("7"));
    QTest::keyClick(dlg.EditBox(), Qt::Key_Escape);
    EXPECT_TRUE(dlg.isVisible()) << "Escape does not end the dialog";
    ClickButton(dlg, kMacroEditCancelId);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(action, MacroAction::Make(0x03, 0x00, 0x00, 0x32));
}

// --- name and rename ----------------------------------------------------------

TEST_F(MacroEditDialogTest, NameDialogGivesTheTypedTextOrNothing) {
    for (const auto mode : {MacroNameMode::Macro, MacroNameMode::Folder}) {
        CMacroKeyOrFolderNameDlg dlg(ui_, language_, mode);
        Open(dlg);
        EXPECT_EQ(dlg.TitleText().toStdU16String(),
                  language_.Text(mode == MacroNameMode::Macro ? 239 : 243));
        TypeAndConfirm(dlg, QStringLiteral("  "));
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.ResultText(), u"  ") << "blanks are the caller's to judge";
    }
    CMacroKeyOrFolderNameDlg cancelled(ui_, language_, MacroNameMode::Macro);
    Open(cancelled);
    QTest::keyClicks(cancelled.EditBox(), QStringLiteral("Jump"));
    ClickButton(cancelled, kMacroEditCloseId);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_TRUE(cancelled.ResultText().empty());
}

// The edit field's font is a point font of 100 x scale / display ratio
// tenths of a point: on a screen of 120 logical DPI (ratio 1.25) the glyphs
// come out as large as on a 96 DPI screen.
TEST_F(MacroEditDialogTest, EditFontFollowsTheScaleAndTheDisplayRatio) {
    struct Case {
        double Scale, Ratio, Points;
    };
    const Case cases[] = {{1.0, 1.0, 10.0},  {2.0, 1.0, 20.0}, {1.0, 1.25, 8.0},
                          {1.5, 1.25, 12.0}, {2.0, 1.5, 13.3}, {1.0, 0.0, 10.0}};
    const UiContext saved = ui_;
    for (const Case& c : cases) {
        ui_.Scale = c.Scale;
        ui_.DisplayRatio = c.Ratio;
        CMacroKeyOrFolderNameDlg dlg(ui_, language_, MacroNameMode::Macro);
        Open(dlg);
        EXPECT_DOUBLE_EQ(dlg.EditBox()->font().pointSizeF(), c.Points)
            << c.Scale << " / " << c.Ratio;
        ClickButton(dlg, kMacroEditCloseId);
    }
    ui_ = saved;
}

TEST_F(MacroEditDialogTest, NameStopsGrowingWhenItFillsTheField) {
    CMacroKeyOrFolderNameDlg dlg(ui_, language_, MacroNameMode::Macro);
    Open(dlg);
    QLineEdit* edit = dlg.EditBox();
    QTest::keyClicks(edit, QString(200, QLatin1Char('W')));
    const QString text = edit->text();
    EXPECT_GT(text.size(), 5);
    EXPECT_LT(text.size(), 200);
    EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(text), edit->width());
    // Deleting makes room again.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QStringLiteral("i"));
    EXPECT_EQ(edit->text(), text.left(text.size() - 1) + QLatin1Char('i'));
}

struct RenameCase {
    const char* typed;
    int result;
};

TEST_F(MacroEditDialogTest, RenameToTheSameNameIsCancel) {
    const RenameCase cases[] = {{"Jump", QDialog::Rejected},
                                {"jump", QDialog::Accepted},
                                {"Jump2", QDialog::Accepted},
                                {"", QDialog::Accepted}};
    for (const RenameCase& c : cases) {
        CMacroKeyRenameDlg dlg(ui_, language_, u"Jump");
        Open(dlg);
        EXPECT_EQ(dlg.EditBox()->text(), QStringLiteral("Jump"));
        TypeAndConfirm(dlg, QString::fromUtf8(c.typed));
        EXPECT_EQ(dlg.result(), c.result) << c.typed;
        EXPECT_EQ(dlg.ResultText(), QString::fromUtf8(c.typed).toStdU16String());
    }
}

TEST(RenameRefusalTest, NamesTakenAmongTheSiblingsAreRefused) {
    MacroLibrary lib;
    testing::Build(lib, "A B F/ F/x F/y");
    struct Case {
        const char* item;
        const char16_t* name;
        std::optional<uint16_t> refusal;
    };
    const Case cases[] = {
        {"A", u"", 242},    {"A", u"B", 241},  {"A", u"F", 241}, {"A", u"x", {}},
        {"F/x", u"y", 241}, {"F/x", u"A", {}}, {"A", u"b", {}},  // letter case counts
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RenameRefusal(lib, testing::FindPath(lib, c.item), c.name), c.refusal)
            << c.item << " -> " << ToUtf8(c.name);
    }
}

// --- key capture --------------------------------------------------------------

class KeyDialogTest : public MacroEditDialogTest {
  protected:
    // A key event as the window system delivers it, with its native data.
    static void Send(QWidget& to, QEvent::Type type, int qtKey, uint32_t keysym, uint32_t scan) {
        QKeyEvent event(type, qtKey, Qt::NoModifier, scan, keysym, 0);
        QCoreApplication::sendEvent(to.windowHandle(), &event);
        QCoreApplication::processEvents();
    }
    static QString Shown(const CActionKeyModifyDlg& dlg) {
        return dlg.FindControl(kMacroEditKeyFieldId)->GetText();
    }
};

TEST_F(KeyDialogTest, TheLastKeyEventIsTheChosenKey) {
    MacroAction action = MacroAction::Make(0x41, 0x80, 0x12, 0x34);
    CActionKeyModifyDlg dlg(ui_, language_, action);
    Open(dlg);
    EXPECT_TRUE(dlg.Hooked());
    EXPECT_EQ(Shown(dlg).toStdU16String(), KeyNameOf(0x41));
    Send(dlg, QEvent::KeyPress, Qt::Key_Control, 0xffe3, 37);
    Send(dlg, QEvent::KeyPress, Qt::Key_A, 0x61, 38);
    EXPECT_EQ(dlg.ChosenCode(), 0x41);
    Send(dlg, QEvent::KeyRelease, Qt::Key_A, 0x61, 38);
    Send(dlg, QEvent::KeyRelease, Qt::Key_Control, 0xffe3, 37);
    EXPECT_EQ(dlg.ChosenCode(), 0xA2);
    EXPECT_EQ(Shown(dlg).toStdU16String(), KeyNameOf(0xA2));
    ClickButton(dlg, kMacroEditOkId);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.Hooked());
    EXPECT_EQ(action, MacroAction::Make(0xA2, 0x80, 0x12, 0x34)) << "bytes 1..3 are kept";
}

TEST_F(KeyDialogTest, EnterAndEscapeAreCapturedNotActedOn) {
    MacroAction action = MacroAction::Make(0x41, 0, 0, 0);
    CActionKeyModifyDlg dlg(ui_, language_, action);
    Open(dlg);
    Send(dlg, QEvent::KeyPress, Qt::Key_Return, 0xff0d, 36);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.ChosenCode(), 0x0D);
    Send(dlg, QEvent::KeyPress, Qt::Key_Escape, 0xff1b, 9);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.ChosenCode(), 0x1B);
}

TEST_F(KeyDialogTest, CancelOrOkWithoutAKeyLeaveTheActionAsItWas) {
    const MacroAction original = MacroAction::Make(0x42, 0x00, 0x00, 0x00);
    for (const uint32_t button : {kMacroEditCancelId, kMacroEditCloseId}) {
        MacroAction action = original;
        CActionKeyModifyDlg dlg(ui_, language_, action);
        Open(dlg);
        Send(dlg, QEvent::KeyPress, Qt::Key_C, 0x63, 54);
        ClickButton(dlg, button);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_FALSE(dlg.Hooked());
        EXPECT_EQ(action, original);
    }
    MacroAction action = original;
    CActionKeyModifyDlg dlg(ui_, language_, action);
    Open(dlg);
    ClickButton(dlg, kMacroEditOkId);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(action, original);
}

TEST_F(KeyDialogTest, NoKeyArrivesAfterTheDialogEnded) {
    MacroAction action = MacroAction::Make(0x41, 0, 0, 0);
    CActionKeyModifyDlg dlg(ui_, language_, action);
    Open(dlg);
    ClickButton(dlg, kMacroEditOkId);
    Send(dlg, QEvent::KeyPress, Qt::Key_C, 0x63, 54);
    EXPECT_EQ(dlg.ChosenCode(), 0x41);
}

// --- the open-dialog table ------------------------------------------------------

TEST_F(MacroEditDialogTest, EachDialogIsListedWhileOpenAndCloseFromOutsideIsCancel) {
    MacroAction key = MacroAction::Make(0x41, 0, 0, 0);
    MacroAction delay = MacroAction::Delay(50);
    std::vector<QWidget*> listed;
    DialogRegistry registry{[&](QWidget* w) { listed.push_back(w); },
                            [&](QWidget* w) { std::erase(listed, w); }};
    using Make = std::function<std::unique_ptr<CMacroEditDlgBase>()>;
    const std::pair<const char*, Make> makers[] = {
        {"name",
         [&] {
             return std::make_unique<CMacroKeyOrFolderNameDlg>(ui_, language_,
                                                               MacroNameMode::Folder, registry);
         }},
        {"rename",
         [&] { return std::make_unique<CMacroKeyRenameDlg>(ui_, language_, u"Old", registry); }},
        {"key",
         [&] { return std::make_unique<CActionKeyModifyDlg>(ui_, language_, key, registry); }},
        {"delay",
         [&] {
             return std::make_unique<CActionTimeModifyDlg>(ui_, language_, delay, nullptr,
                                                           registry);
         }},
    };
    for (const auto& [what, make] : makers) {
        std::unique_ptr<CMacroEditDlgBase> dlg = make();
        EXPECT_TRUE(listed.empty()) << what;
        Open(*dlg);
        ASSERT_EQ(listed.size(), 1u) << what;
        EXPECT_EQ(listed.front(), dlg.get()) << what;
        // The table closes its dialogs as the window system would.
        listed.front()->close();
        EXPECT_EQ(dlg->result(), QDialog::Rejected) << what;
        dlg.reset();
        EXPECT_TRUE(listed.empty()) << what;
    }
    EXPECT_EQ(key, MacroAction::Make(0x41, 0, 0, 0));
    EXPECT_EQ(delay, MacroAction::Delay(50));
}

}  // namespace
}  // namespace velmaro
