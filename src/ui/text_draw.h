// Text as the skinned windows lay it out: the artwork and the page tables give
// each caption a rectangle and a word of layout flags (kDt* in ui_types.h).
//
//   kDtSingleLine    one line; line breaks do not break
//   kDtCenter/Right  horizontal alignment (left otherwise)
//   kDtVCenter       vertical centring, only together with kDtSingleLine
//   kDtBottom        bottom alignment, only together with kDtSingleLine
//   kDtWordBreak     wraps at word boundaries to the width
//   kDtWordEllipsis, kDtEndEllipsis   a line too wide ends in "..."
//   kDtNoPrefix      "&" is shown as is (otherwise "&&" shows "&" and a single
//                    "&" is dropped)
//   kDtNoClip        may draw outside the rectangle
//   kDtEditControl   wrapped text shows only the lines that fit whole (at
//                    least one), as an edit control does
#pragma once

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>

#include "ui/ui_types.h"

namespace velmaro {

void DrawSkinText(QPainter& p, const QFont& font, const QString& text, const Rect& r,
                  uint32_t flags, ColorRef color);

// The lines DrawSkinText would draw, after prefixes, breaks and ellipses.
QStringList LayoutSkinText(const QFont& font, const QString& text, const Rect& r, uint32_t flags);

}  // namespace velmaro
