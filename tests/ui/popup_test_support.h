// Shared pieces of the popup and dialog tests: the English texts, an owner
// that records what popups send, mouse events, and where screenshots go.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/language_table.h"
#include "storage/file_system.h"
#include "storage/language_file.h"
#include "storage/shipped_language_files.h"
#include "ui/dlg_base.h"
#include "ui/list_popup.h"
#include "ui/ui_context.h"

namespace velmaro::popup_test {

// Serves the shipped English language file under any name.
class ShippedEnglishFiles : public FileSystem {
  public:
    bool ReadFile(const std::string&, std::string& bytes) override {
        bytes = std::string(ShippedLanguageFile(ShippedLanguage::English));
        return true;
    }
    // A file is read only when it could also be opened for update.
    bool CanOpenForUpdate(const std::string&) override { return true; }
    bool WriteFileAtomic(const std::string&, std::string_view) override { return false; }
    bool CreateNewFile(const std::string&, std::string_view) override { return false; }
    bool RenameNoReplace(const std::string&, const std::string&) override { return false; }
    bool Exists(const std::string&) override { return true; }
    bool IsDirectory(const std::string&) override { return false; }
    bool CreateDirectories(const std::string&) override { return false; }
};

inline LanguageTable EnglishLanguage(double ui_scale) {
    LanguageTable table;
    ShippedEnglishFiles files;
    const bool read = ReadLanguageFile(u"Lan_EN.txt", table, ui_scale, files);
    EXPECT_TRUE(read);
    return table;
}

// The UI context a program would build: scale, the language's font, the
// generated skin folder.
inline UiContext MakeUiContext(double scale, const LanguageTable& language) {
    UiContext ui;
    ui.Scale = scale;
    ui.Font = language.Font;
    ui.SkinsDir = QStringLiteral(VELMARO_SKINS_DIR "/");
    return ui;
}

inline QString ScreenshotPath(const QString& name) {
    const QString dir = QStringLiteral(VELMARO_UI_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

// What an owner received.
struct Sent {
    uint32_t Message = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    // Copied during the send when lParam pointed at a result.
    std::optional<PopupResult> Result;
};

// An owner window that records every message, reading lParam as a popup
// result for the messages it is told are choices.
class RecordingOwner : public CDlgBase {
  public:
    explicit RecordingOwner(UiContext& ui) : CDlgBase(ui) { SetWindowSize(400, 300); }

    void DrawWindow(QPainter& dc, const Rect& updateRect) override {
        FillBackground(dc, updateRect);
        DrawControls(dc, updateRect);
    }
    void InitUI(int, int, int, int) override {}

    bool IsChoice(uint32_t message) const {
        for (uint32_t m : ChoiceMessages) {
            if (m == message) {
                return true;
            }
        }
        return false;
    }

    std::vector<uint32_t> MessageNumbers() const {
        std::vector<uint32_t> out;
        for (const Sent& s : Messages) {
            out.push_back(s.Message);
        }
        return out;
    }

    std::vector<uint32_t> ChoiceMessages;
    std::vector<Sent> Messages;
    std::function<void(const Sent&)> OnMessage;

  protected:
    intptr_t DispatchMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override {
        Sent sent{message, wparam, lparam, std::nullopt};
        if (lparam != 0 && IsChoice(message)) {
            sent.Result = *reinterpret_cast<const PopupResult*>(lparam);
        }
        Messages.push_back(sent);
        if (OnMessage) {
            OnMessage(sent);
        }
        return CDlgBase::DispatchMessage(message, wparam, lparam);
    }
};

inline QPoint Centre(const Rect& r) {
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// Mouse input as the window system delivers it to a popup.
inline void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}
inline void MoveTo(QWidget* w, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, held);
}
inline void Press(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, at, button, button);
}
inline void Release(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}
inline void Click(QWidget* w, QPoint at) {
    Press(w, at);
    Release(w, at);
}
inline void Leave(QWidget* w) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(w, &event);
}

}  // namespace velmaro::popup_test
