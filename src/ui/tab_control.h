// A tab: main page tabs set the current page, profile tabs the current profile
// tab, both before the host hears of the click. A right-button release
// reports (id, id, NotifyRightClick).
#pragma once

#include "ui/control_base.h"
#include "ui/control_images.h"

namespace velmaro {

// The page a main page tab selects (0xBB9..0xBBC: 0..3, 0xBBF..0xBC1: 7..9),
// or -1.
int MainPageOfTab(uint32_t id);
// The profile tab index of 0x801..0x805 (0..4), or -1.
int ProfileOfTab(uint32_t id);

class CTabControl : public CControlBase {
  public:
    CTabControl(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                uint32_t align = kDtLeft, const QString& tabText = QString(),
                bool pageVisible = true, bool visible = true, bool disabled = false);

    void SetNormalImage(const QString& path) { images_.SetLook(Pictures(), LookNormal, path); }
    void SetHoverImage(const QString& path) { images_.SetLook(Pictures(), LookHover, path); }
    void SetSelectedImage(const QString& path) { images_.SetLook(Pictures(), LookDown, path); }
    void SetSelectedHoverImage(const QString& path) {
        images_.SetLook(Pictures(), LookDownHover, path);
    }
    void SetImages(const QString& normal, const QString& hover, const QString& selected,
                   const QString& selectedHover);
    void SetStripImage(const QString& path, int frames = 4) {
        images_.SetStrip(Pictures(), path, frames);
    }
    void SetTabText(const QString& text);
    QString TabText() const { return tabText_; }
    void SetTextMargin(int left) {
        marginLeft_ = left;
        marginRight_ = 0;
    }

    bool Selected() const;
    // 0 normal, 1 hover, 2 selected, 3 selected and hovered (profile tabs).
    int Look() const;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    bool OnRButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override { images_.Release(); }

  private:
    ControlImages images_;
    uint32_t align_;
    QString tabText_;
    int marginLeft_ = 6;
    int marginRight_ = 0;
};

}  // namespace velmaro
