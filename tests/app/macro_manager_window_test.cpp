// The macro manager opened from the button page of the main window on the
// virtual mouse: a macro recorded in it, assigned to a button, reaches the
// mouse as its image; edited again, the new image goes out once the manager
// closes.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "app/button_page.h"
#include "app/macro/macro_manager_dlg.h"
#include "device/feature_report.h"
#include "main_window_fixture.h"
#include "model/profile_edits.h"
#include "ui/check_button.h"

namespace velmaro::test {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes MacroChunk(uint8_t slot, const Bytes& data) {
    Bytes r(kFeatureReportSize, 0);
    r[0] = kFeatureReportId;
    r[1] = 0x01;
    r[2] = CMD_SET_MACRO_DATA;
    r[5] = 0x01;  // chunk 0 of 1
    r[6] = uint8_t(data.size() + 1);
    r[7] = slot;
    std::copy(data.begin(), data.end(), r.begin() + 8);
    return r;
}

class MacroManagerWindowTest : public MainWindowFixture {
  protected:
    // The macro-data reports since ClearReports, sequence numbers left out.
    std::vector<Bytes> MacroReports() {
        std::vector<Bytes> out;
        for (const SeamLogEntry& e : Sets()) {
            if (e.bytes.size() > 4 && e.bytes[2] == CMD_SET_MACRO_DATA) {
                Bytes b = e.bytes;
                b[4] = 0;
                out.push_back(b);
            }
        }
        return out;
    }

    static void SendKey(CMacroManagerDlg& m, bool press, ulong time) {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier,
                        38, 0x61, 0, QString(), false);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(m.windowHandle(), &event);
        QCoreApplication::processEvents();
    }

    // The manager button clicked with events sent straight to the window:
    // two clicks on one place in quick succession must not make a double click.
    void OpenManager() {
        CControlBase* button = Window().FindControl(kMacroManagerButtonId);
        ASSERT_NE(button, nullptr);
        const Rect r = button->GetRect();
        const QPointF p((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        for (QEvent::Type type :
             {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, p, Window().mapToGlobal(p), b,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&Window(), &event);
        }
        ProcessEvents();
    }

    // Answers the manager with `work`, then closes it with its close button.
    void OnManager(std::function<void(CMacroManagerDlg&)> work) {
        answer = [this, work](CDlgBase& dialog) {
            auto* m = dynamic_cast<CMacroManagerDlg*>(&dialog);
            if (m == nullptr)
                return int(QDialog::Accepted);
            ++managerRuns;
            m->show();
            ProcessEvents();
            work(*m);
            m->SendMessage(kManagerCloseId, 0, NotifyClick);
            return m->result();
        };
    }

    int managerRuns = 0;
};

TEST_F(MacroManagerWindowTest, RecordedMacroOnAButtonReachesTheMouseAndEditsFollowOnClose) {
    Start();
    OnManager([](CMacroManagerDlg& m) {
        MacroEditors editors = m.Editors();
        editors.AskNewName = [](bool) { return std::optional<std::u16string>(u"Burst"); };
        m.SetEditors(editors);
        m.NewItem(false);
        m.FindControlAs<CCheckButton>(kManagerRecordId)->SetChecked(true);
        m.ToggleRecording();
        SendKey(m, true, 1000);
        SendKey(m, false, 1100);
        m.FindControlAs<CCheckButton>(kManagerRecordId)->SetChecked(false);
        m.ToggleRecording();
    });
    OpenManager();
    ASSERT_EQ(managerRuns, 1);
    MacroLibrary& library = Core().Library();
    const MacroItem* item = library.ItemAt(MacroItemLocation::Top(0));
    ASSERT_TRUE(item != nullptr && item->Macro);
    EXPECT_EQ(item->Macro->MacroName, u"Burst");
    EXPECT_EQ(item->Macro->MacroActionNum, 3u);

    // Assigned to button 2: its image goes out with the next apply.
    ClearReports();
    Window().ApplyEdit([&](ProfileRecord& p) {
        return AssignMacro(p, Window().State().Language, 2, item->Macro.get(), item->MacroItemName);
    });
    Advance(20);
    EXPECT_EQ(MacroReports(),
              (std::vector<Bytes>{MacroChunk(1, {0x30, 0x64, 0x04, 0xB0, 0x00, 0x04})}));

    // The delay edited in the manager reaches the mouse when it closes.
    ClearReports();
    OnManager([](CMacroManagerDlg& m) {
        m.TreeRows().SelectRow(0);
        m.RefreshSelection();
        MacroEditors editors = m.Editors();
        editors.AskDelay = [](uint32_t) { return std::optional<uint32_t>(300); };
        m.SetEditors(editors);
        m.SelectAction(1);
        m.ModifyAction();
    });
    OpenManager();
    EXPECT_EQ(MacroReports(),
              (std::vector<Bytes>{MacroChunk(1, {0x31, 0x2C, 0x04, 0xB0, 0x00, 0x04})}));
    EXPECT_EQ(Window().Profile().Keys[2].Macro.AllAction[1], MacroAction::Delay(300));
    EXPECT_EQ(Window().OpenDialogs().size(), 0u);
}

TEST_F(MacroManagerWindowTest, WithoutMacroButtonsClosingSendsNothing) {
    Start();
    OnManager([](CMacroManagerDlg&) {});
    Advance(20);
    ClearReports();
    OpenManager();
    EXPECT_TRUE(Sets().empty());
    EXPECT_NE(ReadDataFile("config/MacroLibraryFile.mlf"), QByteArray());
}

}  // namespace
}  // namespace velmaro::test
