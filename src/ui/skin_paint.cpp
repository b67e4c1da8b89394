#include "ui/skin_paint.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace velmaro {

QFont SkinFont(std::u16string_view face, int cell_height) {
    QFont font;
    // The named face first; the desktop's sans serif stands in when it is missing.
    font.setFamilies(QStringList{ToQString(face), QStringLiteral("sans-serif")});
    font.setStyleHint(QFont::SansSerif);
    const int wanted = std::max(1, cell_height);
    font.setPixelSize(wanted);
    const qreal line = QFontMetricsF(font).height();
    if (line > wanted) {
        font.setPixelSize(std::max(1, int(std::lround(wanted * wanted / line))));
    }
    return font;
}

void DrawSkinText(QPainter& painter, const QRect& rect, const QString& text, uint32_t format) {
    if (text.isEmpty() || rect.isEmpty()) {
        return;
    }
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (format & kDtCenter) {
        horizontal = Qt::AlignHCenter;
    } else if (format & kDtRight) {
        horizontal = Qt::AlignRight;
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const QFontMetrics metrics(painter.font());
    if (format & kDtSingleLine) {
        QString line = text;
        line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        if (format & kDtWordEllipsis) {
            line = metrics.elidedText(line, Qt::ElideRight, rect.width());
        }
        const Qt::Alignment vertical = (format & kDtVCenter) ? Qt::AlignVCenter : Qt::AlignTop;
        painter.drawText(rect, int(horizontal | vertical) | Qt::TextSingleLine, line);
    } else {
        const int flags =
            int(horizontal | Qt::AlignTop) | ((format & kDtWordBreak) ? int(Qt::TextWordWrap) : 0);
        painter.drawText(rect, flags, text);
    }
    painter.restore();
}

void DrawSkinImage(QPainter& painter, const QRect& dest, const QImage& image, const QRect& source) {
    if (image.isNull() || dest.isEmpty() || source.isEmpty()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(dest, image, source);
    painter.restore();
}

}  // namespace velmaro
