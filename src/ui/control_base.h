// The root of the windowless controls: a plain object with a rectangle in its
// host's client area, drawn by the host into the host's off-screen image and
// fed with the host's mouse input. A control tells its host what the user did
// with one synchronous message whose number is the control's own id.
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <cstdint>

#include "ui/skin_image.h"
#include "ui/ui_context.h"
#include "ui/ui_types.h"

namespace velmaro {

// What a control needs from the window that holds it. CDlgBase is the real
// one; tests may use a recorder.
class ControlHost {
  public:
    virtual ~ControlHost() = default;
    // Handled before it returns; the result is the handler's.
    virtual intptr_t SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) = 0;
    // Marks a part of the client area for the next paint.
    virtual void InvalidateRect(const Rect& rect, bool erase = true) = 0;
    virtual UiContext& Ui() = 0;
};

class CControlBase {
  public:
    CControlBase(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                 bool pageVisible = true, bool visible = true, bool disabled = false);
    virtual ~CControlBase();
    CControlBase(const CControlBase&) = delete;
    CControlBase& operator=(const CControlBase&) = delete;

    // Draws into the host's off-screen image; updateRect is the part being repainted.
    virtual void Draw(QPainter& dc, const Rect& updateRect) = 0;
    // Told false when another press takes over from this control.
    virtual bool SetFocused(bool focused);
    virtual void SetRect(int left, int top, int right, int bottom);
    void SetRect(const Rect& r) { SetRect(r.left, r.top, r.right, r.bottom); }
    virtual Rect GetRect() const;
    // Stores a different caption and repaints; an equal caption does nothing.
    virtual void SetText(const QString& text);
    virtual QString GetText() const;
    // The layer (page) holding the control was shown or hidden. No repaint.
    virtual void SetPageVisible(bool visible);
    // The control's own visibility. No repaint.
    virtual void SetVisible(bool visible);

    // Mouse operations, in client coordinates; each returns true when the
    // control's look changed, so the host repaints its rectangle.
    virtual bool OnMouseMove(uint32_t flags, int x, int y);
    virtual bool OnLButtonDown(uint32_t flags, int x, int y);
    virtual bool OnLButtonUp(uint32_t flags, int x, int y);
    virtual bool OnRButtonUp(uint32_t flags, int x, int y);
    virtual bool OnLButtonDblClk(uint32_t flags, int x, int y);

    // Frees every image; the control draws nothing for them until set again.
    virtual void ReleaseImages();
    // Once the window's first paint is kept: a picture the control draws at
    // its own size may move into squares (see TiledPicture), which draw the
    // same pixels from less memory.
    virtual void CompactImages() {}

    uint32_t Id() const { return id_; }
    bool PageVisible() const { return pageVisible_; }
    bool Visible() const { return visible_; }
    // Drawn and hit-tested only when both the page and the control are visible.
    bool IsShown() const { return pageVisible_ && visible_; }
    bool Disabled() const { return disabled_; }
    void SetDisabled(bool disabled) { disabled_ = disabled; }
    bool TakesMouse() const { return takesMouse_; }
    // 0 normal, 1 hover, 2 pressed (interactive classes).
    int State() const { return state_; }

    // Replaces the font with `face` at `height` pixels (already scaled).
    void SetFont(int height, const QString& face);
    const QFont& Font() const { return font_; }
    ControlHost* Host() const { return host_; }

  protected:
    bool Inside(int x, int y) const { return rect_.Contains(x, y); }
    double Scale() const { return host_->Ui().Scale; }
    SelectionState& Selection() const { return host_->Ui().Selection; }
    // Where the control's pictures are read and kept.
    SkinImageCache& Pictures() const { return host_->Ui().Pictures; }
    // Sends (id, wParam, lParam) to the host.
    intptr_t Notify(uintptr_t wParam, intptr_t lParam) const;
    intptr_t NotifyAs(uint32_t msg, uintptr_t wParam, intptr_t lParam) const;
    void Invalidate() const { host_->InvalidateRect(rect_, true); }

    // The common hover step: nothing while disabled or pressed, else hover
    // exactly while the point is inside. Returns whether the state changed.
    bool TrackHover(int x, int y);
    bool SetState(int state);
    // The common press/click cycle: a press inside shows pressed and sends
    // NotifyDown; a release inside shows hover and sends NotifyClick, one
    // outside goes back to normal silently. Return whether the look changed.
    bool PressDown(int x, int y);
    bool PressUp(int x, int y);

    // Draws a caption the way every skinned control does (text_draw.h).
    void DrawCaption(QPainter& dc, const QString& text, const Rect& r, uint32_t flags,
                     ColorRef color) const;

    ControlHost* host_;
    uint32_t id_;
    Rect rect_;
    bool pageVisible_;
    bool visible_;
    bool disabled_;
    bool takesMouse_ = true;
    QString text_;
    QFont font_;
    int state_ = 0;
};

}  // namespace velmaro
