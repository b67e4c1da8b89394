// The main window fixture with what the DPI and lighting tests share: a start
// whose own apply has run, a profile the mouse is taken to hold already, the
// settings reports in short form, and clicks into the small dialogs the
// window opens.
#pragma once

#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace velmaro::test {

class SectionFixture : public MainWindowFixture {
  protected:
    // Starts the window, lets the start-up apply run and forgets its reports.
    CKorvaneDlg& Begin(double scale = 1.0) {
        MainWindowOptions options;
        options.Scale = scale;
        Start(options);
        SpaceClicks();
        Advance(20);
        ClearReports();
        dialogs.clear();
        return Window();
    }

    // The next click counts as a click of its own, however close to the last
    // one on the same place: the clock of the mouse events moves on, and the
    // pointer goes to the window's corner so that moving onto the place is a
    // move again.
    void SpaceClicks() {
        QTest::lastMouseTimestamp += 2 * QTest::mouseDoubleClickInterval;
        QTest::mouseMove(&Window(), QPoint(1, 1));
        ProcessEvents();
    }

    // Changes the current profile as if the mouse held it already (nothing
    // is sent for it) and shows it.
    void Given(const std::function<void(ProfileRecord&)>& change) {
        change(Window().Profile());
        Core().Writer().RebuildLastSent();
        Window().RefreshControls();
        ClearReports();
    }

    // The settings reports the mouse received since ClearReports, as
    // "CC: payload bytes" in hex (the status queries left out).
    std::vector<std::string> SentSettings() {
        std::vector<std::string> out;
        for (const SeamLogEntry& e : Sets()) {
            if (e.bytes.size() < 7 || e.bytes[2] == 0x20)
                continue;
            char buf[8];
            std::snprintf(buf, sizeof buf, "%02X:", e.bytes[2]);
            std::string line = buf;
            const size_t end = std::min(e.bytes.size(), size_t(7) + e.bytes[6]);
            for (size_t i = 7; i < end; ++i) {
                std::snprintf(buf, sizeof buf, " %02X", e.bytes[i]);
                line += buf;
            }
            out.push_back(line);
        }
        return out;
    }

    // Mouse input as the window system delivers it, to any widget.
    static void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button,
                          Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &event);
    }

    static QPoint CentreOf(const Rect& r) {
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    static QPoint CentreOf(const CControlBase& c) { return CentreOf(c.GetRect()); }

    // A click with mouse events sent to a dialog: a move onto the point, the
    // press and the release.
    void ClickIn(QWidget& w, QPoint p) {
        SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
        ProcessEvents();
    }
    bool ClickControlIn(CDlgBase& d, uint32_t id) {
        CControlBase* c = d.FindControl(id);
        if (c == nullptr || !c->IsShown())
            return false;
        ClickIn(d, CentreOf(*c));
        return true;
    }

    // A double click on a control of the main window: a click, then the
    // double-click press and its release.
    void DoubleClick(uint32_t id) {
        CControlBase* c = Window().FindControl(id);
        ASSERT_NE(c, nullptr);
        const QPoint p = CentreOf(*c);
        ClickAt(p);
        QTest::mouseDClick(&Window(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(&Window(), Qt::LeftButton, Qt::NoModifier, p);
        ProcessEvents();
    }

    // Answers the next dialogs of type D with `run` (the dialog is shown
    // first); the result is the dialog's own. Other dialogs are accepted.
    template <class D>
    void OnDialog(std::function<void(D&)> run) {
        answer = [this, run](CDlgBase& dialog) {
            auto* d = dynamic_cast<D*>(&dialog);
            if (d == nullptr)
                return int(QDialog::Accepted);
            d->setResult(-1);
            d->show();
            ProcessEvents();
            run(*d);
            const int result = d->result();
            d->hide();
            return result;
        };
    }
};

}  // namespace velmaro::test
