// Plain geometry, colour and message words shared by the skinned controls and
// their hosts. Rectangles follow the window-system convention the artwork and
// the page layouts were made for: right and bottom lie outside.
#pragma once

#include <QColor>
#include <QRect>
#include <cstdint>

namespace velmaro {

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    // The right and bottom edges are outside.
    constexpr bool Contains(int x, int y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    constexpr bool Contains(Point p) const { return Contains(p.x, p.y); }
    constexpr bool Intersects(const Rect& o) const {
        return !IsEmpty() && !o.IsEmpty() && left < o.right && o.left < right && top < o.bottom &&
               o.top < bottom;
    }
    constexpr Rect Deflated(int dx, int dy) const {
        return Rect{left + dx, top + dy, right - dx, bottom - dy};
    }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    static Rect FromQRect(const QRect& r) {
        return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The rectangle that stands for "no control" in the host's press bookkeeping.
inline constexpr Rect kNoRect{-1, -1, -1, -1};

// Colours are 0x00BBGGRR words, as the skin's colour tables give them.
using ColorRef = uint32_t;

inline QColor ToQColor(ColorRef c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
inline ColorRef ToColorRef(const QColor& c) {
    return ColorRef(c.red()) | (ColorRef(c.green()) << 8) | (ColorRef(c.blue()) << 16);
}

// What a control reports to its host as lParam; the message is the control's id.
enum Notify : intptr_t {
    NotifyDown = 1,
    NotifyClick = 2,
    NotifyDrag = 3,
    NotifyHover = 4,
    NotifyLeave = 5,
    NotifyLineUp = 6,
    NotifyLineDown = 7,
    NotifyPageUp = 8,
    NotifyPageDown = 9,
    NotifyDoubleClick = 10,
    NotifyRightClick = 11,
    NotifyHoverMove = 12,
};

// Key and button flags that come with every mouse operation.
inline constexpr uint32_t kMkLButton = 0x0001;
inline constexpr uint32_t kMkRButton = 0x0002;
inline constexpr uint32_t kMkShift = 0x0004;
inline constexpr uint32_t kMkControl = 0x0008;
inline constexpr uint32_t kMkMButton = 0x0010;

// Text layout flags understood by DrawSkinText (text_draw.h).
inline constexpr uint32_t kDtLeft = 0x0;
inline constexpr uint32_t kDtCenter = 0x1;
inline constexpr uint32_t kDtRight = 0x2;
inline constexpr uint32_t kDtVCenter = 0x4;
inline constexpr uint32_t kDtBottom = 0x8;
inline constexpr uint32_t kDtWordBreak = 0x10;
inline constexpr uint32_t kDtSingleLine = 0x20;
inline constexpr uint32_t kDtNoClip = 0x100;
inline constexpr uint32_t kDtNoPrefix = 0x800;
inline constexpr uint32_t kDtEditControl = 0x2000;
inline constexpr uint32_t kDtEndEllipsis = 0x8000;
inline constexpr uint32_t kDtWordEllipsis = 0x40000;
// One centred-vertically line cut with an ellipsis: how captions are drawn.
inline constexpr uint32_t kDtCaption = kDtSingleLine | kDtVCenter | kDtWordEllipsis;

// Caption colours shared by most controls.
inline constexpr ColorRef kTextNormal = 0xB4B4B4;
inline constexpr ColorRef kTextHover = 0xFFFFFF;
inline constexpr ColorRef kTextPressed = 0x00FFFF;

}  // namespace velmaro
