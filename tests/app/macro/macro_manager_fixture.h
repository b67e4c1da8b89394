// What the macro manager's tests share: an English table at a scale, key
// actions, a file chooser that answers by itself, and the manager on a
// memory disk with its library.
#pragma once

#include "app/macro/macro_manager_dlg.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "macro/macro_library_file.h"
#include "macro/memory_file_system.h"
#include "storage/language_file.h"
#include "storage/shipped_language_files.h"
#include "ui/attention_dlg.h"
#include "ui/check_button.h"
#include "ui/edit_show_list.h"
#include "ui/file_chooser.h"
#include "ui/image_show_list.h"
#include "ui/list_popup.h"
#include "ui/static_text.h"
#include "ui/v_scroll_bar.h"

namespace velmaro::macro_manager_test {

using testing::MemoryFileSystem;

constexpr char kLibraryPath[] = "/data/config/MacroLibraryFile.mlf";

inline LanguageTable English(double scale) {
    MemoryFileSystem disk;
    disk.files["/Lan_EN.txt"] = std::string(ShippedLanguageFile(ShippedLanguage::English));
    LanguageTable table;
    EXPECT_TRUE(ReadLanguageFile(u"/Lan_EN.txt", table, scale, disk));
    return table;
}

inline MacroAction Key(uint8_t code, bool release) {
    return MacroAction::Make(code, release ? 0x80 : 0x00, 0, 0);
}

// Answers the file dialogs in order; none = cancelled.
class AnsweringChooser : public FileChooser {
  public:
    std::optional<QString> ChooseOpenFile(const FileDialogRequest&) override { return Next(); }
    std::optional<QString> ChooseSaveFile(const FileDialogRequest&) override { return Next(); }
    std::deque<std::optional<QString>> answers;

  private:
    std::optional<QString> Next() {
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> a = answers.front();
        answers.pop_front();
        return a;
    }
};

class MacroManagerTest : public ::testing::Test {
  protected:
    void TearDown() override {
        manager.reset();
        Flush();
    }

    // Opens the manager on the library as the test filled it.
    CMacroManagerDlg& Open(double scale = 1.0) {
        language = English(scale);
        ui.Scale = scale;
        ui.Font = language.Font;
        ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
        MacroManagerHost host;
        host.RunModal = [this](CDlgBase& dialog) {
            dialog.Initialize();
            if (auto* attention = dynamic_cast<CAttentionDlg*>(&dialog)) {
                messages.push_back(EntryOf(attention->Message()));
                texts.push_back(attention->Message());
            }
            return answer;
        };
        host.Files = &disk;
        host.LibraryPath = kLibraryPath;
        host.CurrentProfile = &profile;
        host.Chooser = &chooser;
        manager = std::make_unique<CMacroManagerDlg>(ui, language, library, std::move(host));
        MacroEditors editors;
        editors.Transfer = manager->Editors().Transfer;
        editors.AskNewName = [this](bool) { return Next(names); };
        editors.AskRename = [this](const std::u16string&) { return Next(names); };
        editors.AskKey = [this](uint8_t) { return Next(keys); };
        editors.AskDelay = [this](uint32_t ms) {
            delaysAsked.push_back(ms);
            return Next(delays);
        };
        manager->SetEditors(editors);
        manager->show();
        Flush();
        return *manager;
    }

    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> v = queue.front();
        queue.pop_front();
        return v;
    }

    int EntryOf(const QString& message) const {
        for (size_t n = 0; n < language.Entries.size(); ++n) {
            if (!language.Entries[n].empty() &&
                QString::fromStdU16String(language.Entries[n]) == message)
                return int(n);
        }
        return -1;
    }

    static void Flush() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // A top-level macro with these actions, selected in the open manager.
    MacroRecord& SelectNewMacro(std::u16string name, std::vector<MacroAction> actions = {}) {
        library.SelectedLocation = MacroItemLocation::None();
        EXPECT_EQ(library.AddMacro(name), AddResult::Added);
        MacroRecord& m = *library.MutableItemAt(library.SelectedLocation)->Macro;
        for (const MacroAction& a : actions) {
            m.InsertAction(m.MacroActionNum, a);
            if (!a.IsDelay())
                ++m.MacroCommandActionNum;
        }
        manager->RefreshSelection();
        return m;
    }

    // Mouse events sent straight to the window: two clicks on one place in
    // quick succession must not make a double click.
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        QMouseEvent event(type, QPointF(at), QPointF(manager->mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(manager.get(), &event);
    }
    void ClickAt(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseMove, p, Qt::NoButton);
        Mouse(QEvent::MouseButtonPress, p, button);
        Mouse(QEvent::MouseButtonRelease, p, button);
        Flush();
    }
    void Click(uint32_t id) {
        CControlBase* c = manager->FindControl(id);
        ASSERT_NE(c, nullptr);
        const Rect r = c->GetRect();
        ClickAt(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }

    // A key as the window system delivers it: to the manager's window, with
    // its keysym, keycode and time stamp; the capture turns it into 0x401.
    void SendKey(bool press, int qtKey, uint32_t keysym, uint32_t scan, ulong time,
                 bool autoRepeat = false) {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, Qt::NoModifier, scan,
                        keysym, 0, QString(), autoRepeat);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(manager->windowHandle(), &event);
        Flush();
    }
    void KeyA(bool press, ulong time, bool autoRepeat = false) {
        SendKey(press, Qt::Key_A, 0x61, 38, time, autoRepeat);
    }
    void KeyB(bool press, ulong time) { SendKey(press, Qt::Key_B, 0x62, 56, time); }

    std::vector<MacroAction> Actions(const MacroRecord& m) const {
        return {m.AllAction.begin(), m.AllAction.begin() + m.UsedCount()};
    }

    // Chooses an entry of an open popup the way its owner hears of it.
    void Choose(uint32_t message, uint8_t code) {
        PopupResult result;
        result.Code = {code, 0, 0};
        manager->SendMessage(message, 0, reinterpret_cast<intptr_t>(&result));
        manager->RenderAll();
        Flush();
    }

    QString ScreenshotPath(const QString& name) const {
        const QString dir = QStringLiteral(VELMARO_MACRO_DIALOG_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        return dir + QLatin1Char('/') + name;
    }

    UiContext ui;
    LanguageTable language;
    MacroLibrary library;
    ProfileRecord profile;
    MemoryFileSystem disk;
    std::unique_ptr<CMacroManagerDlg> manager;
    int answer = QDialog::Accepted;
    std::vector<int> messages;
    std::vector<QString> texts;
    AnsweringChooser chooser;
    std::deque<std::optional<std::u16string>> names;
    std::deque<std::optional<uint8_t>> keys;
    std::deque<std::optional<uint32_t>> delays;
    std::vector<uint32_t> delaysAsked;
};

}  // namespace velmaro::macro_manager_test
