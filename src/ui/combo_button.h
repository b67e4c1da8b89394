// A drop-down field: shows a value and opens a popup list when clicked.
// Several fields share one group message and tell themselves apart by
// wParam = id. A resting pointer reports hover five times, then stays quiet
// until it has left again.
#pragma once

#include "ui/control_base.h"
#include "ui/control_images.h"

namespace velmaro {

class CComboButton : public CControlBase {
  public:
    CComboButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                 uint32_t groupMessage, uint32_t align = kDtCenter,
                 const QString& valueText = QString(), bool pageVisible = true, bool visible = true,
                 bool disabled = false);

    void SetNormalImage(const QString& path) { images_.SetLook(Pictures(), LookNormal, path); }
    void SetHoverImage(const QString& path) { images_.SetLook(Pictures(), LookHover, path); }
    void SetImages(const QString& normal, const QString& hover);
    // Frames: normal, hover, pressed, and (for a locked field) locked and
    // locked-hover.
    void SetStripImage(const QString& path, int frames = 3) {
        images_.SetStrip(Pictures(), path, frames);
    }

    // The value shown; repaints.
    void SetValueText(const QString& text);
    QString ValueText() const { return valueText_; }
    // Its popup is open: drawn lit and no leave is reported.
    void SetActive(bool active) { active_ = active; }
    bool Active() const { return active_; }
    // Pressing it reports nothing.
    void SetLocked(bool locked) { locked_ = locked; }
    bool Locked() const { return locked_; }
    // Shows "Disable" instead of the value.
    void SetShowDisable(bool show) { showDisable_ = show; }
    bool ShowDisable() const { return showDisable_; }
    void SetTextMargin(int left) {
        marginLeft_ = left;
        marginRight_ = 0;
    }
    uint32_t GroupMessage() const { return groupMessage_; }

    // The strip frame (or 0 normal / 1 lit picture) it draws now.
    int Look() const;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override { images_.Release(); }

  private:
    ControlImages images_;
    QString valueText_;
    uint32_t groupMessage_;
    uint32_t align_;
    bool active_ = false;
    bool locked_ = false;
    bool showDisable_ = false;
    bool hoverSent_ = false;
    bool leftArea_ = true;
    int hoverCount_ = 0;
    int marginLeft_ = 0;
    int marginRight_ = 0;
};

}  // namespace velmaro
