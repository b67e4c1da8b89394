// Popup windows: drop-down lists and context menus shown as small frameless
// top-level windows above a skinned dialog. A popup draws itself into an
// off-screen image with per-pixel alpha, tracks the pointer, reports a choice
// to its owner with one synchronous message, tells the owner when it loses
// activation (so the owner can close it), and sends 0x401 while it closes.
// It deletes itself once closed; owners keep only a guarded reference (the
// popup slots of CDlgBase).
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <string>

#include "model/profile_record.h"  // KeyValue
#include "ui/popup_window.h"
#include "ui/ui_context.h"

namespace velmaro {

// What a popup reports with a choice; its address is the message's lParam,
// valid while the owner handles the message.
struct PopupResult {
    std::u16string Name;
    KeyValue Code{};
};

// Sent (0x401, 0, 0) to the owner when a popup closes.
inline constexpr uint32_t kPopupClosedMessage = 0x401;

// The message a popup of `kind` sends to its owner, as (message, data, kind),
// when it loses activation; 0 for kinds that send nothing.
uint32_t PopupDeactivationMessage(int kind);

class CWndPopup : public PopupWindow {
  public:
    // The font is the program-wide one of `ui`, at its scaled height.
    CWndPopup(UiContext& ui, int kind);
    ~CWndPopup() override;

    CWndPopup(const CWndPopup&) = delete;
    CWndPopup& operator=(const CWndPopup&) = delete;

    // Makes the window: items, background, first rendering, then shown at
    // the rectangle's top-left (screen pixels) and activated. A list popup
    // sizes itself; others take the rectangle's size. `message` is sent with
    // a choice, `data` comes back as its wParam. Only the first call creates.
    bool Create(CDlgBase* owner, const Rect& screenRect, uint32_t message, uint32_t data) override;

    // Closes the popup from the event loop, not inside the handler that asks.
    void PostClose();
    // Forgets the owner: nothing is sent to it any more.
    void DetachOwner();

    int Kind() const { return kind_; }
    uint32_t Message() const { return message_; }
    uint32_t Data() const { return data_; }
    double UiScale() const { return ui_.Scale; }
    bool Created() const { return created_; }
    // The pointer is over the popup (set by a move, cleared when it leaves).
    // An owner asks this to tell whether the pointer rests on its menu.
    bool Tracking() const { return tracking_; }
    // The last rendering: what the window shows.
    const QImage& Rendered() const { return image_; }
    int RenderCount() const { return render_count_; }

  protected:
    // Paints the content over the background; list popups draw their items.
    virtual void DrawPopup(QPainter& painter, const Rect& clientRect);
    virtual void DrawIcons(QPainter& painter);
    // Adds the items; runs once, inside Create.
    virtual void InitItems();
    // Sizes the window after InitItems; list popups size themselves.
    virtual void LayOut();
    // Pointer events in client coordinates; true when the look changed.
    virtual bool OnPopupMouseMove(Point point);
    virtual bool OnPopupLButtonDown(Point point);
    virtual bool OnPopupLButtonUp(Point point);
    virtual bool OnPopupRButtonUp(Point point);

    // Draws everything into the off-screen image and shows it.
    void Render();
    // Sends to the owner; nothing (0) when there is none or its window is gone.
    intptr_t NotifyOwner(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // Closing has begun: nothing more is reported.
    bool Closing() const { return closing_; }
    UiContext& Ui() const { return ui_; }
    const QFont& PopupFont() const { return font_; }

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void DrawBackground(QPainter& painter, const QRect& client) const;

    UiContext& ui_;
    int kind_;
    QFont font_;
    QImage background_;  // the popup background resource
    QImage image_;       // off-screen rendering
    QPointer<CDlgBase> owner_;
    uint32_t message_ = 0;
    uint32_t data_ = 0;
    QPoint position_;
    bool created_ = false;
    bool tracking_ = false;
    bool mouse_down_ = false;
    bool closing_ = false;
    int render_count_ = 0;
};

}  // namespace velmaro
