#include "ui/static_text.h"

namespace velmaro {

CStaticText::CStaticText(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                         ColorRef color, uint32_t align, bool pageVisible, bool visible, bool)
    : CControlBase(host, id, rect, text, pageVisible, visible, true),
      color_(color),
      align_(align) {}

void CStaticText::Draw(QPainter& dc, const Rect&) {
    DrawCaption(dc, text_, rect_, align_ | kDtVCenter | kDtWordEllipsis, color_);
}

}  // namespace velmaro
