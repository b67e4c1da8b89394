// The profiles page on the virtual mouse: the profile list and its menu,
// adding and removing profiles over the show list, renaming, import and
// export through the file dialogs, and the switch with the reports it sends.
#include "app/profiles_page.h"

#include <QLineEdit>
#include <QPainter>

#include "app/add_profile_dlg.h"
#include "app/combo_profile_popup.h"
#include "app/edit_profile_dlg.h"
#include "device/feature_report.h"
#include "main_window_fixture.h"
#include "model/reason.h"
#include "model/text_entries.h"
#include "storage/english_texts.h"
#include "ui/file_chooser.h"

namespace velmaro::test {
namespace {

using Bytes = std::vector<uint8_t>;

// The file dialogs answered with a path given beforehand; nothing: cancelled.
class FakeChooser : public FileChooser {
  public:
    std::optional<QString> ChooseOpenFile(const FileDialogRequest& r) override {
        requests.push_back(r);
        return next;
    }
    std::optional<QString> ChooseSaveFile(const FileDialogRequest& r) override {
        requests.push_back(r);
        return next;
    }
    std::optional<QString> next;
    std::vector<FileDialogRequest> requests;
};

std::string Utf8(const std::u16string& s) {
    return QString::fromStdU16String(s).toStdString();
}

// CMD_SET_BUTTON for profile button `key` (device order swaps 3 and 4), the
// sequence number left 0.
Bytes ButtonRequest(int key, KeyValue v) {
    Bytes r(kFeatureReportSize, 0);
    r[0] = kFeatureReportId;
    r[1] = 0x01;
    r[2] = CMD_SET_BUTTON;
    r[5] = kWriteFlag;
    r[6] = 4;
    r[7] = uint8_t(key == 3 ? 4 : key == 4 ? 3 : key);
    r[8] = v[0];
    r[9] = v[1];
    r[10] = v[2];
    return r;
}

class ProfilesPageTest : public MainWindowFixture {
  protected:
    void SetUp() override { chooser = &files; }

    CProfilesPage& Page() { return Window().ProfilesPage(); }
    ProgramState& State() { return Window().State(); }
    std::string NameOf(int slot) {
        return Utf8(State().Profiles[size_t(slot)].Setting(kProfileName));
    }

    // The settings as the page starts from them (as if read from the file).
    void SetShowList(int count, std::array<int, 5> order) {
        Window();
        StoreShowList(State().Settings, ProfileShowList{count, order});
        Window().RefreshControls();
    }

    // Mouse events sent straight to the window, as the window system
    // delivers them (without making the window the active one again).
    CComboProfilePopup* OpenList() {
        CControlBase* button = Window().FindControl(kProfilesButtonId);
        const Rect r = button->GetRect();
        const QPoint p((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        SendMouse(Window(), QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        SendMouse(Window(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        SendMouse(Window(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        ProcessEvents();
        return Page().List();
    }
    static void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }
    static QPoint CentreOf(CListPopup& popup, int id) {
        for (const PopupItem& item : popup.Items()) {
            if (item.Id == id) {
                const Rect& r = item.Bounds;
                return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            }
        }
        ADD_FAILURE() << "no item " << id;
        return {};
    }
    void ChooseItem(CListPopup& popup, int id) {
        const QPoint p = CentreOf(popup, id);
        SendMouse(popup, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        SendMouse(popup, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        SendMouse(popup, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        ProcessEvents();
    }
    CListPopup* RightClickRow(CListPopup& list, int row) {
        const QPoint p = CentreOf(list, row);
        SendMouse(list, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        SendMouse(list, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
        SendMouse(list, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
        ProcessEvents();
        return Page().Menu();
    }
    // The row that shows `slot` in a list opened now.
    int RowOf(int slot) {
        const ProfileShowList& list = Page().ShowList();
        return kProfileFirstRow + list.PositionOf(slot);
    }
    // A menu action (1 import .. 4 remove) on `slot`, run by its timer.
    void MenuAction(int slot, int item) {
        CComboProfilePopup* list = OpenList();
        ASSERT_NE(list, nullptr);
        CListPopup* menu = RightClickRow(*list, RowOf(slot));
        ASSERT_NE(menu, nullptr);
        ChooseItem(*menu, item);
        EXPECT_EQ(Page().List(), nullptr);
        EXPECT_EQ(Page().Menu(), nullptr);
        Advance(kProfileActionDelayMs);
    }
    // The new-profile row, with the name dialog answered by typing `name`
    // and clicking OK.
    void AddProfile(const QString& name) {
        answer = [name](CDlgBase& dialog) {
            if (auto* d = dynamic_cast<CProfileNameDlg*>(&dialog)) {
                d->Field()->setText(name);
                return ClickOk(*d);
            }
            return int(QDialog::Accepted);
        };
        CComboProfilePopup* list = OpenList();
        ASSERT_NE(list, nullptr);
        ChooseItem(*list, kProfileNewRow);
        Advance(kProfileActionDelayMs);
        answer = nullptr;
    }
    static int ClickOk(CDlgBase& dialog) {
        CControlBase* ok = dialog.FindControl(kProfileNameOkId);
        const Rect r = ok->GetRect();
        const QPoint p((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        dialog.show();
        SendMouse(dialog, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        SendMouse(dialog, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        SendMouse(dialog, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        const int result = dialog.result();
        dialog.hide();
        return result;
    }

    // The settings file's text (UTF-16LE with its byte order mark) as UTF-8.
    std::string ConfigText() {
        const QByteArray bytes = ReadDataFile("config/config.ini");
        if (bytes.size() < 2)
            return {};
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                  (bytes.size() - 2) / 2)
            .toStdString();
    }
    // "count: list" as the settings file holds it.
    std::string SavedShowList() {
        const QString text = QString::fromStdString(ConfigText());
        QString out;
        for (const QString& line : text.split('\n')) {
            if (line.startsWith("ProfileShowCount="))
                out = line.mid(17) + ":";
            else if (line.startsWith("ProfileShowList"))
                out += " " + line.mid(line.indexOf('=') + 1);
        }
        return out.toStdString();
    }
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

    FakeChooser files;
};

// --- adding and removing over the show list ------------------------------------------

struct ShowStep {
    const char* what;
    int remove;         // the slot to remove; -1: add a profile named "New <n>"
    int shownSlot;      // the slot an add showed (reset, with its name); -1: refused
    const char* saved;  // the settings file's count and list afterwards
};

struct ShowCase {
    const char* what;
    int count;
    std::array<int, 5> list;
    std::vector<ShowStep> steps;
};

TEST_F(ProfilesPageTest, AddAndRemoveFollowTheShowList) {
    const ShowCase cases[] = {
        {"defaults",
         3,
         {0, 1, 2, 3, 4},
         {{"add", -1, 3, "4: 0 1 2 3 4"},
          {"add again", -1, 4, "5: 0 1 2 3 4"},
          {"no slot left", -1, -1, "5: 0 1 2 3 4"}}},
        {"four shown",
         4,
         {0, 1, 2, 3, 4},
         {{"remove 1", 1, -1, "3: 0 2 3 4 1"},
          {"add", -1, 4, "4: 0 2 3 4 1"},
          {"add brings 1 back", -1, 1, "5: 0 2 3 4 1"}}},
        {"all shown",
         5,
         {0, 1, 2, 3, 4},
         {{"remove 1", 1, -1, "4: 0 2 3 4 1"}, {"add brings 1 back", -1, 1, "5: 0 2 3 4 1"}}},
        {"a slot listed twice",
         3,
         {0, 0, 1, 2, 3},
         {{"add takes a hidden slot", -1, 3, "4: 0 1 2 3 4"}}},
    };
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(c.what);
        Stop();
        Start();
        SetShowList(c.count, c.list);
        // Marks that show whether an added slot was reset to its defaults.
        for (ProfileRecord& record : State().Profiles)
            record.Setting(kPowerDownTime) = u"marked";
        int added = 0;
        for (const ShowStep& step : c.steps) {
            SCOPED_TRACE(step.what);
            dialogs.clear();
            if (step.remove >= 0) {
                MenuAction(step.remove, 4);
                EXPECT_TRUE(dialogs.empty());
            } else {
                const std::string name = "New " + std::to_string(++added);
                AddProfile(QString::fromStdString(name));
                if (step.shownSlot < 0) {
                    EXPECT_EQ(dialogs, std::vector<std::string>{
                                           "attention All five profiles are in use. Remove one "
                                           "before adding another."});
                } else {
                    EXPECT_EQ(NameOf(step.shownSlot), name);
                    EXPECT_NE(
                        Utf8(State().Profiles[size_t(step.shownSlot)].Setting(kPowerDownTime)),
                        "marked");
                    EXPECT_NE(ProfileText(step.shownSlot).find("ProfileName=" + name),
                              std::string::npos);
                }
            }
            EXPECT_EQ(SavedShowList(), step.saved);
        }
        // The list shows the profiles in show-list order.
        CComboProfilePopup* list = OpenList();
        ASSERT_NE(list, nullptr);
        const ProfileShowList& shown = Page().ShowList();
        for (int row = kProfileFirstRow; row < kProfileNewRow; ++row) {
            const int i = row - kProfileFirstRow;
            const std::u16string expected =
                i < shown.Count
                    ? State().Profiles[size_t(shown.Slots[size_t(i)])].Setting(kProfileName)
                    : std::u16string();
            EXPECT_EQ(list->Items()[size_t(row - 1)].Caption, expected) << "row " << row;
        }
    }
}

TEST_F(ProfilesPageTest, RemovingTheCurrentProfileIsRefused) {
    Start();
    SetShowList(3, {0, 1, 2, 3, 4});
    const std::string before = ConfigText();
    MenuAction(0, 4);
    EXPECT_EQ(dialogs, std::vector<std::string>{"attention The current profile cannot be removed. "
                                                "Switch to another profile first."});
    EXPECT_EQ(Page().ShowList().Count, 3);
    EXPECT_EQ(ConfigText(), before);
}

// --- renaming --------------------------------------------------------------------------

TEST_F(ProfilesPageTest, AnEmptyRenameIsRefusedAndTheNameKept) {
    Start();
    const std::string old = NameOf(1);
    std::vector<std::string> seen;
    for (const char* typed : {"", "   "}) {
        answer = [&seen, typed](CDlgBase& dialog) {
            auto* d = dynamic_cast<CEditProfileDlg*>(&dialog);
            if (d == nullptr)
                return int(QDialog::Accepted);
            seen.push_back(d->Field()->text().toStdString());
            d->Field()->setText(typed);
            // Refused: the dialog stays open; then the user cancels.
            EXPECT_EQ(ClickOk(*d), int(QDialog::Rejected));
            return int(QDialog::Rejected);
        };
        dialogs.clear();
        MenuAction(1, 3);
        ASSERT_EQ(dialogs.size(), 2u);
        EXPECT_EQ(dialogs[1], "attention The profile name cannot be empty.");
        EXPECT_EQ(NameOf(1), old);
    }
    // The field starts with the profile's name.
    EXPECT_EQ(seen, (std::vector<std::string>{old, old}));

    answer = [](CDlgBase& dialog) {
        auto* d = dynamic_cast<CEditProfileDlg*>(&dialog);
        if (d == nullptr)
            return int(QDialog::Accepted);
        d->Field()->setText("Sniper");
        return ClickOk(*d);
    };
    ClearReports();
    MenuAction(1, 3);
    EXPECT_EQ(NameOf(1), "Sniper");
    EXPECT_NE(ProfileText(1).find("ProfileName=Sniper\n"), std::string::npos);
    // A name is not the mouse's business.
    Advance(20);
    EXPECT_TRUE(Requests().empty());
}

// --- export and import ----------------------------------------------------------------

TEST_F(ProfilesPageTest, ExportThenImportCarriesAProfileAndSendsWhatDiffers) {
    Start();
    State().Profiles[2].Keys[1].Value = KeyValue{0x10, 0x08, 0x00};
    const QString exported = DataFolder() + "sniper.psf";
    files.next = exported;
    MenuAction(2, 2);
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].Title.toStdString(), "Export Profile");
    EXPECT_EQ(files.requests[0].DefaultSuffix.toStdString(), "psf");
    ASSERT_TRUE(QFile::exists(exported));

    // Into the current slot: the mouse gets only the changed button.
    ClearReports();
    MenuAction(0, 1);
    EXPECT_EQ(files.requests.back().Title.toStdString(), "Import Profile");
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(State().Profiles[0].Keys[1].Value, (KeyValue{0x10, 0x08, 0x00}));
    EXPECT_EQ(NameOf(0), NameOf(2));
    EXPECT_NE(ProfileText(0).find("\tKey1Value=100800"), std::string::npos);
    Advance(20);
    EXPECT_EQ(Requests(), std::vector<Bytes>{ButtonRequest(1, {0x10, 0x08, 0x00})});
}

// In Chinese, at both scales: the failure is the table's sentence with the
// file's name and the reason filled in, drawn whole in its dialog.
TEST_F(ProfilesPageTest, AnImportFailureIsToldInTheUsersLanguage) {
    const LanguageTable& zh = ShippedTable(ShippedLanguage::Chinese);
    for (const double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        QString drawn;
        answer = [&](CDlgBase& dialog) {
            if (auto* a = dynamic_cast<CAttentionDlg*>(&dialog)) {
                drawn = a->Message();
                ExpectMessageDrawnWhole(*a, drawn,
                                        QString("import_failure_zh_%1").arg(int(scale * 10)));
            }
            return int(QDialog::Accepted);
        };
        Start({.Scale = scale, .Locale = "zh_CN.UTF-8"});
        files.next = DataFolder() + "missing.psf";
        MenuAction(0, 1);
        EXPECT_EQ(drawn,
                  QString::fromStdU16String(RenderReason(
                      zh, Reason::Of(text::kImportFailed, {Reason::Text(u"missing.psf"),
                                                           Reason::Of(text::kFileMissing)}))));
        EXPECT_EQ(drawn, QStringLiteral("无法导入 missing.psf：文件不存在。配置未作更改。"));
        Stop();
    }
}

TEST_F(ProfilesPageTest, ImportingABadFileChangesNothingAndTellsWhy) {
    Start();
    const QString bad = DataFolder() + "bad.psf";
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ReadDataFile("config/default1.psf").left(4000));
    }
    const QByteArray badBytes = ReadDataFile("bad.psf");
    // Defaults would not show a reset; a name of its own does.
    State().Profiles[0].Setting(kProfileName) = u"Mine";
    const ProfileRecord before = State().Profiles[0];
    const QByteArray slotFile = ReadDataFile("config/default0.psf");
    ClearReports();
    files.next = bad;
    MenuAction(0, 1);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].rfind("attention Could not import bad.psf: ", 0), 0u) << dialogs[0];
    EXPECT_NE(dialogs[0].find("The profile is unchanged."), std::string::npos);
    EXPECT_EQ(State().Profiles[0], before);
    EXPECT_EQ(ReadDataFile("config/default0.psf"), slotFile);
    EXPECT_EQ(ReadDataFile("bad.psf"), badBytes);
    Advance(20);
    EXPECT_TRUE(Requests().empty());

    // A cancelled dialog does nothing at all.
    dialogs.clear();
    files.next.reset();
    MenuAction(0, 1);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(State().Profiles[0], before);
}

// --- switching -----------------------------------------------------------------------------

TEST_F(ProfilesPageTest, ASwitchMarksRowsInShowOrderAndSendsOnlyWhatDiffers) {
    Start();
    SetShowList(3, {2, 0, 1, 3, 4});
    State().Profiles[2].Keys[4].Value = KeyValue{0x00, 0x00, 0x00};
    ClearReports();
    CComboProfilePopup* list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Items()[1].Caption, State().Profiles[2].Setting(kProfileName));
    EXPECT_EQ(list->MarkedRow(), 3);
    EXPECT_EQ(Page().SlotOfRow(2), 2);
    EXPECT_EQ(Page().SlotOfRow(5), std::nullopt);
    ChooseItem(*list, 2);
    EXPECT_EQ(State().Settings.CurrentProfile(), 2);
    EXPECT_EQ(Window().Profile().Keys[4].Value, (KeyValue{0x00, 0x00, 0x00}));
    Advance(20);
    EXPECT_EQ(Requests(), std::vector<Bytes>{ButtonRequest(4, {0x00, 0x00, 0x00})});

    // Back to slot 0, the second row: the button comes back.
    ClearReports();
    list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->MarkedRow(), 2);
    ChooseItem(*list, 3);
    EXPECT_EQ(State().Settings.CurrentProfile(), 0);
    Advance(20);
    EXPECT_EQ(Requests(), std::vector<Bytes>{ButtonRequest(4, State().Profiles[0].Keys[4].Value)});
    // The current profile reaches the settings file with the delayed save.
    Advance(10000);
    EXPECT_NE(ConfigText().find("CurrentProfile=0\n"), std::string::npos);
}

// --- the list and the menu ----------------------------------------------------------------

TEST_F(ProfilesPageTest, OnlyProfileRowsAndTheNewRowCanBeChosen) {
    Start();
    SetShowList(2, {0, 1, 2, 3, 4});
    CComboProfilePopup* list = OpenList();
    ASSERT_NE(list, nullptr);
    // The header and the empty rows take no hover, so no click chooses them.
    for (int row : {1, 4, 6}) {
        SendMouse(*list, QEvent::MouseMove, CentreOf(*list, row), Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(list->HoverIndex(), -1) << "row " << row;
        EXPECT_EQ(RightClickRow(*list, row), nullptr) << "row " << row;
    }
    ChooseItem(*list, 4);
    EXPECT_EQ(Page().List(), list);
    EXPECT_EQ(State().Settings.CurrentProfile(), 0);
}

TEST_F(ProfilesPageTest, PopupsCloseWhenTheyLoseTheirActivation) {
    Start();
    CComboProfilePopup* list = OpenList();
    ASSERT_NE(list, nullptr);
    // The menu takes the activation: the list stays.
    CListPopup* menu = RightClickRow(*list, 2);
    ASSERT_NE(menu, nullptr);
    Window().SendMessage(kProfileListDeactivated, 0, kProfileListKind);
    EXPECT_NE(Page().List(), nullptr);
    // The pointer over the menu keeps both.
    SendMouse(*menu, QEvent::MouseMove, CentreOf(*menu, 1), Qt::NoButton, Qt::NoButton);
    Window().SendMessage(kProfileMenuDeactivated, kProfileMenuSlotBase, kProfileMenuKind);
    EXPECT_NE(Page().Menu(), nullptr);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(menu, &leave);
    Window().SendMessage(kProfileMenuDeactivated, kProfileMenuSlotBase, kProfileMenuKind);
    ProcessEvents();
    EXPECT_EQ(Page().Menu(), nullptr);
    EXPECT_EQ(Page().List(), nullptr);

    // Alone, the list closes when it loses activation, and a click on the
    // button while it was open does not open it again.
    list = OpenList();
    ASSERT_NE(list, nullptr);
    Window().SendMessage(kProfilesButtonId, 0, NotifyHoverMove);
    Window().SendMessage(kProfileListDeactivated, 0, kProfileListKind);
    Window().SendMessage(kProfilesButtonId, kProfilesButtonId, NotifyClick);
    ProcessEvents();
    EXPECT_EQ(Page().List(), nullptr);
}

TEST_F(ProfilesPageTest, ListEndsAboveTheButtonAndTheMenuOpensBesideItsRow) {
    for (double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        Stop();
        MainWindowOptions options;
        options.Scale = scale;
        Start(options);
        CComboProfilePopup* list = OpenList();
        ASSERT_NE(list, nullptr);
        const Rect b = Window().FindControl(kProfilesButtonId)->GetRect();
        const QPoint origin = Window().mapToGlobal(QPoint(0, 0));
        const int top = b.bottom - int(201 * scale);
        EXPECT_EQ(list->pos() - origin, QPoint(b.left, top));
        EXPECT_LE(list->pos().y() + list->height() - origin.y(), b.top);
        CListPopup* menu = RightClickRow(*list, 3);
        ASSERT_NE(menu, nullptr);
        const QScreen* screen = Window().screen();
        const int windowTop = origin.y() - screen->geometry().top();
        int menuTop = top + int(50 * scale);
        if (menuTop + windowTop + int(94 * scale) > screen->geometry().height())
            menuTop = screen->geometry().height() - windowTop - int(74 * scale);
        EXPECT_EQ(menu->pos() - origin, QPoint(b.left + int(225 * scale), menuTop));
    }
}

// --- screenshots ------------------------------------------------------------------------------

TEST_F(ProfilesPageTest, Screenshots) {
    for (double scale : {1.0, 2.0}) {
        Stop();
        MainWindowOptions options;
        options.Scale = scale;
        Start(options);
        const QString suffix = scale == 1.0 ? "_1x" : "_2x";
        SetShowList(4, {0, 1, 2, 3, 4});
        State().Profiles[1].Setting(kProfileName) = u"Sniper";
        CComboProfilePopup* list = OpenList();
        ASSERT_NE(list, nullptr);
        SendMouse(*list, QEvent::MouseMove, CentreOf(*list, 3), Qt::NoButton, Qt::NoButton);
        Composite("profile_list" + suffix);
        CListPopup* menu = RightClickRow(*list, 3);
        ASSERT_NE(menu, nullptr);
        SendMouse(*menu, QEvent::MouseMove, CentreOf(*menu, 3), Qt::NoButton, Qt::NoButton);
        Composite("profile_menu" + suffix);

        for (bool add : {true, false}) {
            std::unique_ptr<CProfileNameDlg> dialog;
            if (add)
                dialog = std::make_unique<CAddProfileDlg>(Ui(), State().Language, &Window());
            else
                dialog =
                    std::make_unique<CEditProfileDlg>(Ui(), State().Language, "Sniper", &Window());
            dialog->Initialize();
            if (add)
                dialog->Field()->setText("Racing");
            dialog->show();
            QCoreApplication::processEvents();
            QDir().mkpath(VELMARO_APP_SCREENSHOT_DIR);
            dialog->grab().save(QString(VELMARO_APP_SCREENSHOT_DIR) + "/" +
                                    (add ? "add_profile_dialog" : "edit_profile_dialog") + suffix +
                                    ".png",
                                "PNG");
            dialog->hide();
        }
    }
}

}  // namespace
}  // namespace velmaro::test
