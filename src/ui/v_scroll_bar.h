// A vertical scroll bar: arrow strips at both ends (compiled-in PNGs 188 and
// 187, three frames each), the track between them and a thumb. A press
// reports the part it hit as wParam with NotifyDown; dragging the thumb
// reports (id, 0, NotifyDrag) whenever the position it stands for changes.
#pragma once

#include "ui/control_base.h"
#include "ui/control_images.h"

namespace velmaro {

enum ScrollPart : int {
    ScrollNone = -1,
    ScrollThumb = 0,
    ScrollLineUp = NotifyLineUp,
    ScrollLineDown = NotifyLineDown,
    ScrollPageUp = NotifyPageUp,
    ScrollPageDown = NotifyPageDown,
};

inline constexpr int kScrollUpArrowResource = 188;
inline constexpr int kScrollDownArrowResource = 187;

class CVScrollBar : public CControlBase {
  public:
    CVScrollBar(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                bool pageVisible = true, bool visible = true, bool disabled = false);

    // Replaces the arrow strips (by default the compiled-in ones).
    void LoadArrows(int upResourceId, int downResourceId);
    // Position and page within range; range 0 gives the thumb the whole track.
    void SetScrollInfo(int pos, int page, int range);
    int GetPos() const { return pos_; }
    int Page() const { return page_; }
    int Range() const { return range_; }

    int TrackTop() const { return trackTop_; }
    // Inclusive, like the thumb's bottom.
    int TrackBottom() const { return trackBottom_; }
    int ThumbTop() const { return thumbTop_; }
    int ThumbBottom() const { return thumbBottom_; }
    ScrollPart PartAt(int x, int y) const;
    ScrollPart HoverPart() const { return hoverPart_; }
    bool Dragging() const { return dragging_; }

    void SetRect(int left, int top, int right, int bottom) override;
    using CControlBase::SetRect;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override;

  private:
    void Layout();
    int ArrowHeight(const ControlImages& arrow) const;

    ControlImages up_;
    ControlImages down_;
    int pos_ = 0;
    int page_ = 0;
    int range_ = 0;
    int trackTop_ = 0;
    int trackBottom_ = 0;
    int thumbTop_ = 0;
    int thumbBottom_ = 0;
    bool dragging_ = false;
    int dragOffset_ = 0;
    ScrollPart hoverPart_ = ScrollNone;
};

}  // namespace velmaro
