// The button page on the virtual mouse: the menu and its lists, the
// left-click rule, the key combination and fire key dialogs and the macro
// selection, each down to the reports the mouse receives.
#include "app/button_page.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QWindow>

#include "app/fire_key_dlg.h"
#include "app/macro/macro_select_dlg.h"
#include "app/shortcut_dlg.h"
#include "device/feature_report.h"
#include "main_window_fixture.h"
#include "ui/check_button.h"
#include "ui/combo_button.h"
#include "ui/combo_popup.h"
#include "ui/edit_show_list.h"
#include "ui/function_list_popups.h"

namespace velmaro::test {
namespace {

using Bytes = std::vector<uint8_t>;

// A request as the mouse sees it, the sequence number (byte 4) left 0.
Bytes Request(uint8_t command, uint8_t header, const Bytes& payload) {
    Bytes r(kFeatureReportSize, 0);
    r[0] = kFeatureReportId;
    r[1] = 0x01;
    r[2] = command;
    r[5] = header;
    r[6] = uint8_t(payload.size());
    std::copy(payload.begin(), payload.end(), r.begin() + 7);
    return r;
}

// CMD_SET_BUTTON for profile button `key` (device order swaps 3 and 4).
Bytes ButtonRequest(int key, KeyValue v) {
    const uint8_t device = uint8_t(key == 3 ? 4 : key == 4 ? 3 : key);
    return Request(CMD_SET_BUTTON, kWriteFlag, {device, v[0], v[1], v[2]});
}

std::string Utf8(const std::u16string& s) {
    return QString::fromStdU16String(s).toStdString();
}

class ButtonPageTest : public MainWindowFixture {
  protected:
    CButtonPage& Page() { return Window().Buttons(); }
    ProfileRecord& Profile() { return Window().Profile(); }
    const KeyRecord& Key(int i) { return Profile().Keys[size_t(i)]; }

    // Every request sent since ClearReports, sequence numbers left out.
    std::vector<Bytes> Requests() {
        std::vector<Bytes> out;
        for (const SeamLogEntry& e : Sets()) {
            Bytes b = e.bytes;
            if (b.size() > 4)
                b[4] = 0;
            out.push_back(b);
        }
        return out;
    }

    CListPopup* OpenMenu(int field) {
        // Events sent straight to the window: two tests clicking the same
        // field in quick succession must not make a double click.
        ClickIn(Window(), kButtonFieldFirstId + uint32_t(field));
        ProcessEvents();
        return Page().Menu();
    }
    static const PopupItem* ItemOf(CListPopup& popup, int id) {
        for (const PopupItem& item : popup.Items()) {
            if (!item.Separator && item.Id == id)
                return &item;
        }
        return nullptr;
    }
    // Mouse input as the window system delivers it to a popup.
    static void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }
    static QPoint CentreOf(CListPopup& popup, int id) {
        const PopupItem* item = ItemOf(popup, id);
        EXPECT_NE(item, nullptr) << "item " << id;
        if (item == nullptr)
            return {};
        const Rect& r = item->Bounds;
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void PointAt(CListPopup& popup, int id) {
        SendMouse(popup, QEvent::MouseMove, CentreOf(popup, id), Qt::NoButton);
        ProcessEvents();
    }
    void ChooseItem(CListPopup& popup, int id) {
        const QPoint p = CentreOf(popup, id);
        SendMouse(popup, QEvent::MouseMove, p, Qt::NoButton);
        SendMouse(popup, QEvent::MouseButtonPress, p, Qt::LeftButton);
        SendMouse(popup, QEvent::MouseButtonRelease, p, Qt::NoButton);
        ProcessEvents();
    }
    // Field `field`, menu entry `entry`; with a list, its entry `listEntry`.
    void Choose(int field, int entry, std::optional<FunctionList> list = {}, int listEntry = 0) {
        CListPopup* menu = OpenMenu(field);
        ASSERT_NE(menu, nullptr);
        if (!list) {
            ChooseItem(*menu, entry);
            return;
        }
        PointAt(*menu, entry);
        CListPopup* popup = Page().List(*list);
        ASSERT_NE(popup, nullptr) << "list of entry " << entry;
        ChooseItem(*popup, listEntry);
    }

    // Clicks a control of a dialog with mouse events as the window system
    // delivers them.
    static void ClickIn(CDlgBase& dialog, uint32_t id) {
        CControlBase* control = dialog.FindControl(id);
        ASSERT_NE(control, nullptr) << id;
        const Rect r = control->GetRect();
        const QPoint p((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMouse(dialog, QEvent::MouseMove, p, Qt::NoButton);
        SendMouse(dialog, QEvent::MouseButtonPress, p, Qt::LeftButton);
        SendMouse(dialog, QEvent::MouseButtonRelease, p, Qt::NoButton);
    }
    // A key as the window system delivers it, press and release.
    void TypeKey(QWidget& to, int qtKey, uint32_t keysym, uint32_t scan) {
        for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(t, qtKey, Qt::NoModifier, scan, keysym, 0);
            QCoreApplication::sendEvent(to.windowHandle(), &e);
        }
        ProcessEvents();
    }

    // Gives button `key` the left click directly, as a saved profile would.
    void GiveLeftClick(int key) {
        Profile().Keys[size_t(key)].KeyName = u"Left Click";
        Profile().Keys[size_t(key)].Value = KeyValue{0x10, 0x01, 0x00};
    }

    // The window with its open popups laid over it, as the screen shows them.
    QImage Composite(const QString& name) {
        QImage image = Window().RenderAll().copy();
        QPainter p(&image);
        const QPoint origin = Window().mapToGlobal(QPoint(0, 0));
        for (int slot = 0; slot < CDlgBase::kPopupSlots; ++slot) {
            if (auto* popup = dynamic_cast<CWndPopup*>(Window().Popup(slot)))
                p.drawImage(popup->mapToGlobal(QPoint(0, 0)) - origin, popup->Rendered());
        }
        p.end();
        QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
        image.save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/" + name + ".png", "PNG");
        return image;
    }
    static void SaveDialog(QWidget& dialog, const QString& name) {
        dialog.show();
        QCoreApplication::processEvents();
        QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
        dialog.grab().save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/" + name + ".png", "PNG");
    }
};

// --- the menu and its lists -------------------------------------------------------

struct ChoiceCase {
    const char* what;
    int field;
    int entry;
    std::optional<FunctionList> list;
    int listEntry;
    const char* name;
    KeyValue value;
};

TEST_F(ButtonPageTest, EveryKindOfMenuChoiceIsStoredShownAndSentAlone) {
    const ChoiceCase cases[] = {
        {"back", 1, 5, {}, 0, "Back", {0x10, 0x08, 0x00}},
        {"triple click", 2, 8, {}, 0, "Triple Click", {0x30, 0x32, 0x03}},
        {"report rate switch", 3, 14, {}, 0, "Report Rate Switch", {0x60, 0x04, 0x00}},
        {"disable", 4, 16, {}, 0, "Disable", {0x00, 0x00, 0x00}},
        {"DPI list", 5, 6, FunctionList::Dpi, 1, "", {0x40, 0x02, 0x00}},
        {"DPI lock 800", 1, 15, FunctionList::DpiLock, 7, "DPI Lock-800", {0x50, 0x07, 0x00}},
        {"multimedia play", 2, 11, FunctionList::Multimedia, 5, "", {0x80, 0xCD, 0x00}},
        {"office Win+E", 3, 12, FunctionList::Office, 8, "", {0x70, 0x08, 0x08}},
        {"system Alt+F4", 4, 13, FunctionList::Windows, 2, "", {0x70, 0x04, 0x3D}},
    };
    Start();
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ClearReports();
        Choose(c.field, c.entry, c.list, c.listEntry);
        EXPECT_EQ(Key(c.field).Value, c.value);
        if (*c.name != '\0') {
            EXPECT_EQ(Utf8(Key(c.field).KeyName), c.name);
        }
        EXPECT_EQ(Page().Field(c.field)->ValueText().toStdString(), Utf8(Key(c.field).KeyName));
        EXPECT_FALSE(Page().Field(c.field)->Active());
        EXPECT_EQ(Page().Menu(), nullptr);
        EXPECT_TRUE(Requests().empty());
        Advance(20);
        EXPECT_EQ(Requests(), std::vector<Bytes>{ButtonRequest(c.field, c.value)});
        Advance(1000);
    }
}

TEST_F(ButtonPageTest, ListsOpenOnHoverOneAtATimeAndCloseOnPlainEntries) {
    Start();
    ClearReports();
    CListPopup* menu = OpenMenu(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Page().Field(0)->Active());
    PointAt(*menu, 6);
    CListPopup* dpi = Page().List(FunctionList::Dpi);
    ASSERT_NE(dpi, nullptr);
    // Pointing at the same entry again keeps the same list.
    PointAt(*menu, 7);
    PointAt(*menu, 6);
    EXPECT_NE(Page().List(FunctionList::Dpi), nullptr);
    PointAt(*menu, 11);
    EXPECT_EQ(Page().List(FunctionList::Dpi), nullptr);
    EXPECT_NE(Page().List(FunctionList::Multimedia), nullptr);
    // The menu lost activation while a list is open: it stays.
    Window().SendMessage(kButtonMenuDeactivated, kButtonFieldFirstId, 0);
    EXPECT_NE(Page().Menu(), nullptr);
    PointAt(*menu, 2);
    EXPECT_EQ(Page().List(FunctionList::Multimedia), nullptr);
    EXPECT_NE(Page().Menu(), nullptr);
    // Now nothing holds it: a click elsewhere closes it and the field goes dark.
    Window().SendMessage(kButtonMenuDeactivated, kButtonFieldFirstId, 0);
    ProcessEvents();
    EXPECT_EQ(Page().Menu(), nullptr);
    EXPECT_FALSE(Page().Field(0)->Active());
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ButtonPageTest, ALostListClosesWithTheMenuUnlessThePointerIsOnTheMenu) {
    Start();
    CListPopup* menu = OpenMenu(2);
    ASSERT_NE(menu, nullptr);
    PointAt(*menu, 12);
    ASSERT_NE(Page().List(FunctionList::Office), nullptr);
    // The pointer is over the menu (it just moved there): nothing closes.
    Window().SendMessage(0x48A, kButtonFieldFirstId + 2, 12);
    EXPECT_NE(Page().List(FunctionList::Office), nullptr);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(menu, &leave);
    Window().SendMessage(0x48A, kButtonFieldFirstId + 2, 12);
    ProcessEvents();
    EXPECT_EQ(Page().List(FunctionList::Office), nullptr);
    EXPECT_EQ(Page().Menu(), nullptr);
    EXPECT_FALSE(Page().Field(2)->Active());
}

TEST_F(ButtonPageTest, MenuSitsBesideItsFieldAndListsBesideTheMenu) {
    Start();
    CListPopup* menu = OpenMenu(1);
    ASSERT_NE(menu, nullptr);
    const Rect f = Page().Field(1)->GetRect();
    const QPoint origin = Window().mapToGlobal(QPoint(0, 0));
    const QScreen* screen = Window().screen();
    const int windowTop = origin.y() - screen->geometry().top();
    const bool shifted = f.bottom - 20 + windowTop + 314 > screen->geometry().height();
    const int menuTop = shifted ? screen->geometry().height() - windowTop - 294 : f.bottom - 20;
    EXPECT_EQ(menu->pos() - origin, QPoint(f.left + 161, menuTop));
    PointAt(*menu, 13);
    CListPopup* list = Page().List(FunctionList::Windows);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->pos() - origin,
              QPoint(f.right + 161, shifted ? menuTop + 176 : f.bottom + 257));
}

TEST_F(ButtonPageTest, HoverMarkersFollowThePointerOverTheFields) {
    Start();
    EXPECT_FALSE(Page().Marker().has_value());
    for (int field = 0; field < kButtonFieldCount; ++field) {
        Window().SendMessage(kButtonFieldMessage, kButtonFieldFirstId + uint32_t(field), 4);
        EXPECT_EQ(Page().Marker(), field + 1);
    }
    // The marker is drawn over the mouse picture at its place.
    const QImage before = Window().RenderAll().copy();
    Window().SendMessage(kButtonFieldMessage, kButtonFieldFirstId + 5, 5);
    EXPECT_FALSE(Page().Marker().has_value());
    const QImage after = Window().RenderAll().copy();
    const QPoint marker6(553 + 12, 331 + 12);
    EXPECT_NE(before.pixel(marker6), after.pixel(marker6));
}

// --- the left-click rule ----------------------------------------------------------

TEST_F(ButtonPageTest, TheOnlyLeftClickIsPutBackWithADeferredMessageAndNothingSent) {
    Start();
    ASSERT_EQ(CountLeftClickButtons(Profile()), 1);
    ClearReports();
    Choose(0, 2);  // right click on the only left-click button
    EXPECT_EQ(Key(0).Value, (KeyValue{0x10, 0x01, 0x00}));
    EXPECT_EQ(Utf8(Key(0).KeyName), "Left Click");
    EXPECT_EQ(Page().Field(0)->ValueText(), "Left Click");
    EXPECT_TRUE(dialogs.empty());
    Advance(99);
    EXPECT_TRUE(dialogs.empty());
    Advance(1);
    EXPECT_EQ(dialogs,
              std::vector<std::string>{"attention At least one button must keep the Left Click "
                                       "function."});
    EXPECT_FALSE(TimerRunning(kLeftClickTimer));
    Advance(20000);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ButtonPageTest, AProfileWithoutLeftClickGetsItBackOnTheMouseToo) {
    // A saved profile may hold no left click at all; the button that is put
    // back then really changes, so the mouse must be told.
    Start();
    Profile().Keys[0].KeyName = u"Middle Click";
    Profile().Keys[0].Value = KeyValue{0x10, 0x04, 0x00};
    Window().MarkChanged(DirtyGroup::Buttons);
    Advance(20);
    ASSERT_FALSE(Requests().empty());
    ClearReports();
    Choose(0, 2);
    EXPECT_EQ(Key(0).Value, (KeyValue{0x10, 0x01, 0x00}));
    Advance(20);
    EXPECT_EQ(Requests(), std::vector<Bytes>{ButtonRequest(0, {0x10, 0x01, 0x00})});
    Advance(80);
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back(), "attention At least one button must keep the Left Click function.");
}

TEST_F(ButtonPageTest, WithTwoLeftClicksEitherMayChange) {
    Start();
    GiveLeftClick(1);
    ClearReports();
    Choose(0, 3);  // middle click
    EXPECT_EQ(Key(0).Value, (KeyValue{0x10, 0x04, 0x00}));
    Advance(20);
    EXPECT_EQ(Requests(), (std::vector<Bytes>{ButtonRequest(0, {0x10, 0x04, 0x00}),
                                              ButtonRequest(1, {0x10, 0x01, 0x00})}));
}

// --- the key combination dialog -------------------------------------------------

struct ShortcutCase {
    const char* what;
    std::vector<uint32_t> ticks;
    // Keys typed: Qt key, keysym, X keycode.
    std::vector<std::array<uint32_t, 3>> keys;
    const char* name;  // "" when nothing is stored
    KeyValue value;
};

TEST_F(ButtonPageTest, KeyCombinationDialogBuildsTheCombinationFromTicksAndTypedKeys) {
    const ShortcutCase cases[] = {
        {"Ctrl alone", {kShortcutCtrlId}, {}, "Ctrl", {0x70, 0x01, 0x00}},
        {"Ctrl+Alt+F5",
         {kShortcutCtrlId, kShortcutAltId},
         {{Qt::Key_Control, 0xffe3, 37}, {Qt::Key_F5, 0xffc2, 71}},
         "Ctrl+Alt+F5",
         {0x70, 0x05, 0x3E}},
        {"last key wins, modifiers ignored",
         {kShortcutShiftId},
         {{Qt::Key_A, 0x61, 38}, {Qt::Key_Comma, 0x2c, 59}, {Qt::Key_Shift, 0xffe2, 62}},
         "Shift+,",
         {0x70, 0x02, 0x36}},
        {"Win key pressed, Win ticked",
         {kShortcutWinId},
         {{Qt::Key_Super_L, 0xffeb, 133}},
         "Win",
         {0x70, 0x08, 0x00}},
        {"no modifier box wins over ticks",
         {kShortcutCtrlId, kShortcutNoModifierId},
         {{Qt::Key_Escape, 0xff1b, 9}},
         "Esc",
         {0x70, 0x00, 0x29}},
        {"nothing at all", {}, {}, "", {0x10, 0x02, 0x00}},
    };
    Start();
    GiveLeftClick(0);
    for (const ShortcutCase& c : cases) {
        SCOPED_TRACE(c.what);
        Profile().Keys[1].KeyName = u"Right Click";
        Profile().Keys[1].Value = KeyValue{0x10, 0x02, 0x00};
        answer = [&](CDlgBase& dialog) {
            auto* shortcut = dynamic_cast<CShortcutDlg*>(&dialog);
            if (shortcut == nullptr)
                return int(QDialog::Accepted);
            EXPECT_TRUE(shortcut->Hooked());
            shortcut->show();
            for (uint32_t id : c.ticks)
                ClickIn(*shortcut, id);
            for (const auto& k : c.keys)
                TypeKey(*shortcut, int(k[0]), k[1], k[2]);
            ClickIn(*shortcut, kShortcutOkId);
            EXPECT_FALSE(shortcut->Hooked());
            return shortcut->result();
        };
        ClearReports();
        Choose(1, 10);
        ProcessEvents();  // the dialog opens once the menu is gone
        EXPECT_EQ(Key(1).Value, c.value);
        if (*c.name != '\0') {
            EXPECT_EQ(Utf8(Key(1).KeyName), c.name);
            Advance(20);
            EXPECT_EQ(Requests(), std::vector<Bytes>{ButtonRequest(1, c.value)});
        }
        EXPECT_FALSE(Page().PendingField().has_value());
        Advance(1000);
    }
}

TEST_F(ButtonPageTest, NoModifierBoxDisablesTheFourModifierBoxes) {
    UiContext ui;
    ui.SkinsDir = VELMARO_SKINS_DIR;
    LanguageTable language;
    CShortcutDlg dialog(ui, language);
    dialog.Initialize();
    dialog.show();
    ClickIn(dialog, kShortcutNoModifierId);
    for (uint32_t id : {kShortcutCtrlId, kShortcutShiftId, kShortcutAltId, kShortcutWinId})
        EXPECT_TRUE(dialog.FindControl(id)->Disabled()) << id;
    ClickIn(dialog, kShortcutNoModifierId);
    for (uint32_t id : {kShortcutCtrlId, kShortcutShiftId, kShortcutAltId, kShortcutWinId})
        EXPECT_FALSE(dialog.FindControl(id)->Disabled()) << id;
    dialog.hide();
}

// --- the fire key dialog ----------------------------------------------------------

TEST_F(ButtonPageTest, FireKeyDialogRefusesFourAndCutsNumbersAbove255) {
    Start();
    GiveLeftClick(0);
    answer = [&](CDlgBase& dialog) {
        auto* fire = dynamic_cast<CFireKeyDlg*>(&dialog);
        if (fire == nullptr)
            return int(QDialog::Accepted);
        EXPECT_TRUE(fire->IsTimerRunning(kFireKeyCheckTimer));
        EXPECT_EQ(fire->FirstField()->text(), "50");
        EXPECT_EQ(fire->SecondField()->text(), "0");
        // "4": refused, the dialog stays.
        fire->FirstField()->setText("4");
        ClickIn(*fire, kFireKeyOkId);
        EXPECT_FALSE(fire->Choice().has_value());
        // "300" and "300": the check cuts both to 255, each with its message.
        fire->FirstField()->setText("300");
        fire->SecondField()->setText("300");
        fire->CheckFields();
        EXPECT_EQ(fire->FirstField()->text(), "255");
        EXPECT_EQ(fire->SecondField()->text(), "255");
        fire->SecondField()->setText("7");
        ClickIn(*fire, kFireKeyOkId);
        return fire->result();
    };
    ClearReports();
    Choose(2, 7);
    ProcessEvents();
    EXPECT_EQ(dialogs[1], "attention The click interval must be between 5 and 255.");
    EXPECT_EQ(dialogs[2], "attention The click interval must be between 5 and 255.");
    EXPECT_EQ(dialogs[3], "attention The number of clicks must be between 0 and 255.");
    EXPECT_EQ(Key(2).Value, (KeyValue{0x30, 0xFF, 0x07}));
    EXPECT_EQ(Utf8(Key(2).KeyName), "Fire Key");
    Advance(20);
    EXPECT_EQ(Requests(), std::vector<Bytes>{ButtonRequest(2, {0x30, 0xFF, 0x07})});
}

TEST_F(ButtonPageTest, FireKeyFieldsSayWhenACharacterIsNotADigit) {
    UiContext ui;
    ui.SkinsDir = VELMARO_SKINS_DIR;
    LanguageTable language;
    std::vector<uint16_t> messages;
    CFireKeyDlg dialog(ui, language, nullptr, [&](uint16_t m) { messages.push_back(m); });
    dialog.Initialize();
    dialog.show();
    dialog.FirstField()->setFocus();
    dialog.FirstField()->setText("");
    QTest::keyClicks(dialog.FirstField(), "1x2");
    QTest::keyClick(dialog.FirstField(), Qt::Key_Return);
    QTest::keyClick(dialog.FirstField(), Qt::Key_Escape);
    EXPECT_EQ(dialog.FirstField()->text(), "1x2");
    EXPECT_EQ(messages, std::vector<uint16_t>{175});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(FireKeyFieldNumber("1x2"), 1);
    EXPECT_EQ(FireKeyFieldNumber(""), 0);
    EXPECT_EQ(FireKeyFieldNumber("99999999999999999999"), 100000);
    dialog.hide();
}

// --- macro selection --------------------------------------------------------------

class MacroSelectionTest : public ButtonPageTest {
  protected:
    // A folder with macro "Jump" (press A, 100 ms, release A, 30 ms) at the
    // top level beside it.
    void AddLibrary() {
        MacroLibrary& library = Core().Library();
        library.SelectedLocation = MacroItemLocation::None();
        ASSERT_EQ(library.AddFolder(u"Games"), AddResult::Added);
        library.SelectedLocation = MacroItemLocation::None();
        ASSERT_EQ(library.AddMacro(u"Jump"), AddResult::Added);
        jump = library.SelectedLocation;
        MacroRecord& macro = *library.MutableItemAt(jump)->Macro;
        macro.InsertAction(0, MacroAction::Make(0x41, 0x00, 0, 0));
        macro.InsertAction(1, MacroAction::Delay(100));
        macro.InsertAction(2, MacroAction::Make(0x41, 0x80, 0, 0));
        macro.InsertAction(3, MacroAction::Delay(30));
        macro.MacroCommandActionNum = uint8_t(macro.CountCommandActions());
    }
    MacroItemLocation jump;
};

TEST_F(MacroSelectionTest, AChosenMacroIsAssignedAndUploadedWithItsButton) {
    Start();
    AddLibrary();
    GiveLeftClick(1);
    answer = [&](CDlgBase& dialog) {
        auto* select = dynamic_cast<CMacroSelectDlg*>(&dialog);
        if (select == nullptr)
            return int(QDialog::Accepted);
        select->show();
        // OK on the folder is refused; a press on the macro's row selects it.
        const int folderRow = Core().Library().LocationToRow(MacroItemLocation::Top(0));
        select->Source().SelectRow(folderRow);
        ClickIn(*select, kMacroSelectOkId);
        const int row = Core().Library().LocationToRow(jump);
        const Rect r = select->Tree()->GetRect();
        const int y = r.top + select->Tree()->RowHeight() * row + select->Tree()->RowHeight() / 2;
        const QPoint p(r.left + 60, y);
        SendMouse(*select, QEvent::MouseMove, p, Qt::NoButton);
        SendMouse(*select, QEvent::MouseButtonPress, p, Qt::LeftButton);
        SendMouse(*select, QEvent::MouseButtonRelease, p, Qt::NoButton);
        EXPECT_EQ(Core().Library().SelectedLocation, jump);
        ClickIn(*select, kMacroSelectOkId);
        return select->result();
    };
    ClearReports();
    Choose(0, 9);
    ProcessEvents();
    ASSERT_GE(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1], "attention Select a macro first.");
    EXPECT_EQ(Utf8(Key(0).KeyName), "Macro-Jump");
    EXPECT_EQ(Key(0).Macro.MacroActionNum, 4u);
    EXPECT_NE(Key(0).MacroKeyIndex, 0u);
    Advance(20);
    // Slot 1, play mode 2 with its count; the image's two entries in one chunk.
    EXPECT_EQ(Requests(),
              (std::vector<Bytes>{
                  ButtonRequest(0, {0x90, 0x21, 0x01}),
                  ButtonRequest(1, {0x10, 0x01, 0x00}),
                  Request(CMD_SET_MACRO_DATA, 0x01, {0x01, 0x30, 0x64, 0x04, 0xB0, 0x1E, 0x04}),
              }));
}

TEST_F(MacroSelectionTest, OpensWithFoldersClosedAndNothingSelectedAndCloseChoosesNothing) {
    Start();
    AddLibrary();
    MacroLibrary& library = Core().Library();
    library.MutableItemAt(MacroItemLocation::Top(0))->MacroItemFolderIsOpen = 1;
    library.SelectedLocation = jump;
    const KeyRecord before = Key(3);
    answer = [&](CDlgBase& dialog) {
        auto* select = dynamic_cast<CMacroSelectDlg*>(&dialog);
        if (select == nullptr)
            return int(QDialog::Accepted);
        EXPECT_EQ(library.ItemAt(MacroItemLocation::Top(0))->MacroItemFolderIsOpen, 0);
        EXPECT_EQ(library.SelectedLocation.stage, -1);
        select->show();
        ClickIn(*select, kMacroSelectCloseId);
        return select->result();
    };
    Choose(3, 9);
    ProcessEvents();
    EXPECT_EQ(Key(3).Value, before.Value);
    EXPECT_EQ(Key(3).KeyName, before.KeyName);
}

TEST_F(MacroSelectionTest, AMacroTheMouseCannotPlayIsMarkedAndNotPutOnAButton) {
    Start();
    AddLibrary();
    // A 168-action macro, as a library or export file written elsewhere holds.
    MacroRecord& macro = *Core().Library().MutableItemAt(jump)->Macro;
    macro.MacroActionNum = 0;
    for (uint32_t i = 0; i < 168; ++i)
        macro.InsertAction(i, MacroAction::Make(0x41, i % 2 ? 0x80 : 0x00, 0, 0));
    macro.MacroCommandActionNum = 168;
    const KeyRecord before = Key(2);
    answer = [&](CDlgBase& dialog) {
        auto* select = dynamic_cast<CMacroSelectDlg*>(&dialog);
        if (select == nullptr)
            return int(QDialog::Accepted);
        select->show();
        const int row = Core().Library().LocationToRow(jump);
        EXPECT_EQ(select->Source().Row(row).Text, QStringLiteral("Jump (too long)"));
        select->Source().SelectRow(row);
        ClickIn(*select, kMacroSelectOkId);
        // Refused: the dialog stays open for another choice.
        EXPECT_EQ(select->result(), 0);
        ClickIn(*select, kMacroSelectCloseId);
        return select->result();
    };
    ClearReports();
    Choose(2, 9);
    ProcessEvents();
    ASSERT_GE(dialogs.size(), 2u);
    EXPECT_NE(dialogs[1].find("more than 125 key actions"), std::string::npos) << dialogs[1];
    EXPECT_EQ(Key(2).Value, before.Value);
    EXPECT_EQ(Key(2).KeyName, before.KeyName);
    Advance(20);
    EXPECT_TRUE(Requests().empty());
}

// --- screenshots ------------------------------------------------------------------

TEST_F(ButtonPageTest, Screenshots) {
    for (double scale : {1.0, 2.0}) {
        Stop();
        MainWindowOptions options;
        options.Scale = scale;
        Start(options);
        const QString suffix = scale == 1.0 ? "_1x" : "_2x";
        Window().SendMessage(kButtonFieldMessage, kButtonFieldFirstId + 1, 4);
        Composite("button_page" + suffix);
        Window().SendMessage(kButtonFieldMessage, kButtonFieldFirstId + 1, 5);
        CListPopup* menu = OpenMenu(1);
        ASSERT_NE(menu, nullptr);
        PointAt(*menu, 11);
        ASSERT_NE(Page().List(FunctionList::Multimedia), nullptr);
        Composite("button_menu_list" + suffix);

        CShortcutDlg shortcut(Ui(), Window().State().Language, &Window());
        shortcut.Initialize();
        shortcut.show();
        ClickIn(shortcut, kShortcutCtrlId);
        TypeKey(shortcut, Qt::Key_F5, 0xffc2, 71);
        SaveDialog(shortcut, "shortcut_dialog" + suffix);
        shortcut.hide();

        CFireKeyDlg fire(Ui(), Window().State().Language, &Window(), [](uint16_t) {});
        fire.Initialize();
        SaveDialog(fire, "fire_key_dialog" + suffix);
        fire.hide();

        MacroLibrary& library = Core().Library();
        library.AddFolder(u"Games");
        library.SelectedLocation = MacroItemLocation::None();
        library.AddMacro(u"Jump");
        CMacroSelectDlg select(Ui(), Window().State().Language, library, &Window(),
                               [](uint16_t) {});
        select.Initialize();
        select.Source().SelectRow(1);
        SaveDialog(select, "macro_select_dialog" + suffix);
        select.hide();
    }
}

}  // namespace
}  // namespace velmaro::test
