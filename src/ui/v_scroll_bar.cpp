#include "ui/v_scroll_bar.h"

#include <algorithm>
#include <cmath>

namespace velmaro {

namespace {

constexpr ColorRef kBarColor = 0x101010;
constexpr ColorRef kThumbRim = 0x1F1F1F;
constexpr ColorRef kThumbFace = 0x323232;
constexpr ColorRef kThumbHotRim = 0xDEA035;
constexpr ColorRef kThumbHotFace = 0x1F1F1F;
// The arrows' height in the artwork, used while a strip is missing.
constexpr int kArrowHeight = 20;

}  // namespace

CVScrollBar::CVScrollBar(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                         bool pageVisible, bool visible, bool disabled)
    : CControlBase(host, id, rect, text, pageVisible, visible, disabled) {
    LoadArrows(kScrollUpArrowResource, kScrollDownArrowResource);
}

void CVScrollBar::LoadArrows(int upResourceId, int downResourceId) {
    up_.SetStripResource(Pictures(), upResourceId);
    down_.SetStripResource(Pictures(), downResourceId);
    Layout();
}

int CVScrollBar::ArrowHeight(const ControlImages& arrow) const {
    const int natural = arrow.FrameHeight() > 0 ? arrow.FrameHeight() : kArrowHeight;
    return int(natural * Scale());
}

void CVScrollBar::SetRect(int left, int top, int right, int bottom) {
    CControlBase::SetRect(left, top, right, bottom);
    Layout();
}

void CVScrollBar::Layout() {
    trackTop_ = rect_.top + ArrowHeight(up_);
    trackBottom_ = std::max(trackTop_, rect_.bottom - ArrowHeight(down_) - 1);
    SetScrollInfo(pos_, page_, range_);
}

void CVScrollBar::SetScrollInfo(int pos, int page, int range) {
    pos_ = pos;
    page_ = page;
    range_ = range;
    if (range <= 0) {
        thumbTop_ = trackTop_;
        thumbBottom_ = trackBottom_;
        return;
    }
    const double trackHeight = trackBottom_ - trackTop_ + 1;
    thumbTop_ = trackTop_ + int(std::floor(double(pos) / range * trackHeight + 0.5));
    const int thumbHeight =
        std::min(int(std::floor(double(page) / range * trackHeight + 0.5)), int(trackHeight));
    thumbBottom_ = std::min(thumbTop_ + thumbHeight - 1, trackBottom_);
}

ScrollPart CVScrollBar::PartAt(int x, int y) const {
    if (!Inside(x, y)) {
        return ScrollNone;
    }
    if (y < trackTop_)
        return ScrollLineUp;
    if (y > trackBottom_)
        return ScrollLineDown;
    if (y < thumbTop_)
        return ScrollPageUp;
    if (y > thumbBottom_)
        return ScrollPageDown;
    return ScrollThumb;
}

void CVScrollBar::Draw(QPainter& dc, const Rect&) {
    dc.fillRect(rect_.ToQRect(), ToQColor(kBarColor));
    up_.DrawFrame(dc, hoverPart_ == ScrollLineUp ? 1 : 0,
                  Rect{rect_.left, rect_.top, rect_.right, trackTop_});
    down_.DrawFrame(dc, hoverPart_ == ScrollLineDown ? 1 : 0,
                    Rect{rect_.left, trackBottom_ + 1, rect_.right, rect_.bottom});
    if (thumbBottom_ < thumbTop_) {
        return;
    }
    const bool hot = dragging_ || hoverPart_ == ScrollThumb;
    const Rect thumb{rect_.left, thumbTop_, rect_.right, thumbBottom_ + 1};
    dc.fillRect(thumb.ToQRect(), ToQColor(hot ? kThumbHotRim : kThumbRim));
    const int inset = int(Scale());
    const Rect face = thumb.Deflated(inset, inset);
    if (!face.IsEmpty()) {
        dc.fillRect(face.ToQRect(), ToQColor(hot ? kThumbHotFace : kThumbFace));
    }
}

bool CVScrollBar::OnMouseMove(uint32_t, int x, int y) {
    if (disabled_) {
        return false;
    }
    if (dragging_) {
        const int thumbHeight = thumbBottom_ - thumbTop_ + 1;
        const int top = std::clamp(y - dragOffset_, trackTop_,
                                   std::max(trackTop_, trackBottom_ - thumbHeight + 1));
        if (top == thumbTop_) {
            return false;
        }
        thumbTop_ = top;
        thumbBottom_ = top + thumbHeight - 1;
        const int trackHeight = trackBottom_ - trackTop_ + 1;
        const int pos = range_ > 0 ? (thumbTop_ - trackTop_) * range_ / trackHeight : 0;
        if (pos != pos_) {
            pos_ = pos;
            Notify(0, NotifyDrag);
        }
        return true;
    }
    const bool changed = TrackHover(x, y);
    if (state_ == 2) {
        return changed;
    }
    const ScrollPart part = PartAt(x, y);
    const bool partChanged = part != hoverPart_;
    hoverPart_ = part;
    return changed || partChanged;
}

bool CVScrollBar::OnLButtonDown(uint32_t, int x, int y) {
    if (disabled_ || !Inside(x, y)) {
        return false;
    }
    SetState(2);
    const ScrollPart part = PartAt(x, y);
    if (part == ScrollThumb) {
        dragging_ = true;
        dragOffset_ = y - thumbTop_;
    }
    Notify(uintptr_t(part), NotifyDown);
    return true;
}

bool CVScrollBar::OnLButtonUp(uint32_t, int x, int y) {
    const bool wasDragging = dragging_;
    dragging_ = false;
    if (disabled_) {
        return false;
    }
    if (!Inside(x, y)) {
        hoverPart_ = ScrollNone;
        return SetState(0) || wasDragging;
    }
    SetState(1);
    hoverPart_ = PartAt(x, y);
    Notify(0, NotifyClick);
    return true;
}

void CVScrollBar::ReleaseImages() {
    up_.Release();
    down_.Release();
}

}  // namespace velmaro
