// Hosts for the toolkit's tests: a recorder that stands in for a window, and
// a small dialog that records what it dispatches.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

#include "ui/control_base.h"
#include "ui/dlg_base.h"

namespace velmaro::test {

struct Msg {
    uint32_t msg;
    uintptr_t w;
    intptr_t l;
    friend bool operator==(const Msg&, const Msg&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Msg& m) {
    return os << "(0x" << std::hex << m.msg << ", " << std::dec << m.w << ", " << m.l << ")";
}

// Records every message and invalidation; onSend runs inside the send, so a
// test can look at a control while its host handles the notification.
class RecordingHost : public ControlHost {
  public:
    explicit RecordingHost(double scale = 1.0) { ui.Scale = scale; }
    intptr_t SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override {
        sent.push_back({msg, wParam, lParam});
        if (onSend) {
            onSend(sent.back());
        }
        return 0;
    }
    void InvalidateRect(const Rect& r, bool) override { invalidated.push_back(r); }
    UiContext& Ui() override { return ui; }

    UiContext ui;
    std::vector<Msg> sent;
    std::vector<Rect> invalidated;
    std::function<void(const Msg&)> onSend;
};

// A dialog that fills its background, draws its controls and records every
// message it dispatches and every window move it starts.
class TestDlg : public CDlgBase {
  public:
    explicit TestDlg(UiContext& ui, int width = 400, int height = 300) : CDlgBase(ui) {
        SetWindowSize(width, height);
    }
    void DrawWindow(QPainter& dc, const Rect& update) override {
        FillBackground(dc, update);
        DrawControls(dc, update);
    }
    void InitUI(int, int, int, int) override {}

    std::vector<Msg> messages;
    std::vector<Point> moves;
    std::vector<int> timerFires;
    bool allowMove = true;

  protected:
    intptr_t DispatchMessage(uint32_t msg, uintptr_t w, intptr_t l) override {
        messages.push_back({msg, w, l});
        return CDlgBase::DispatchMessage(msg, w, l);
    }
    bool BeginWindowMove(Point p) override {
        moves.push_back(p);
        return allowMove;
    }
    void OnTimer(int id) override { timerFires.push_back(id); }
};

// Runs the event loop until pred holds or ms pass.
template <class Pred>
bool WaitUntil(Pred pred, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // Deletions wait for an event loop to return; a test has none.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// A solid picture saved into dir, for image setters that take paths.
inline QString SolidPng(const QTemporaryDir& dir, const QString& name, int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(color);
    const QString path = dir.filePath(name);
    img.save(path, "PNG");
    return path;
}

}  // namespace velmaro::test
