// One page or section of the main window. The main window is only a router:
// it creates every page once, hands each message to the pages in turn until
// one takes it, and asks them all to refresh, collect, draw and place
// themselves. A page holds its controls (created on the main window, on its
// own layer) and its rules, and changes the profile only through
// CKorvaneDlg::ApplyEdit.
#pragma once

#include <cstdint>

#include "model/profile_record.h"
#include "ui/ui_types.h"

class QPainter;

namespace velmaro {

class CKorvaneDlg;

class CMainWindowPage {
  public:
    explicit CMainWindowPage(CKorvaneDlg& window) : window_(window) {}
    virtual ~CMainWindowPage() = default;
    CMainWindowPage(const CMainWindowPage&) = delete;
    CMainWindowPage& operator=(const CMainWindowPage&) = delete;

    // Creates the page's controls on the window; called once, after the
    // language, settings and profiles are loaded.
    virtual void InitUI() {}
    // A message (control notification, popup report, ...); true when the
    // page took it, which ends the routing.
    virtual bool OnMessage(uint32_t /*msg*/, uintptr_t /*wParam*/, intptr_t /*lParam*/) {
        return false;
    }
    // Shows the current profile and program settings (part of RefreshControls).
    virtual void Refresh(const ProfileRecord& /*profile*/) {}
    // Reads the page's controls back into the profile.
    virtual void Collect(ProfileRecord& /*profile*/) {}
    // Page graphics under the controls, in client pixels (already scaled).
    virtual void Draw(QPainter& /*dc*/, const Rect& /*updateRect*/) {}
    // A main-window timer by id; true when it is the page's.
    virtual bool OnTimer(int /*id*/) { return false; }
    // The pointer moved over the window with exactly the left button held
    // (slider drags outside the slider). Runs after the host's own handling.
    virtual void OnLeftDrag(Point /*p*/) {}
    // The mouse went back to plain moves (the button was released).
    virtual void OnDragEnd() {}
    // A section of the right-hand column: its controls move to the section
    // origin (unscaled client pixels; the page scales). The column layout
    // calls this on every paint.
    virtual void PlaceAt(int /*x*/, int /*y*/) {}
    // The sensor changed (the DPI steps and the lift-off offer follow it).
    virtual void SensorChanged(bool /*extended*/) {}

  protected:
    CKorvaneDlg& Window() const { return window_; }

  private:
    CKorvaneDlg& window_;
};

}  // namespace velmaro
