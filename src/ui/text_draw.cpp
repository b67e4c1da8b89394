#include "ui/text_draw.h"

#include <QFontMetrics>
#include <algorithm>
#include <vector>

namespace velmaro {

namespace {

QString StripPrefixes(const QString& text) {
    if (!text.contains(u'&')) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

// Greedy word wrap of one paragraph; a word wider than the width gets a line
// of its own.
void WrapParagraph(const QFontMetrics& fm, const QString& para, int width, QStringList& out) {
    const QStringList words = para.split(u' ');
    QString line;
    for (const QString& word : words) {
        const QString candidate = line.isEmpty() ? word : line + u' ' + word;
        if (!line.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            out << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    out << line;
}

}  // namespace

QStringList LayoutSkinText(const QFont& font, const QString& text, const Rect& r, uint32_t flags) {
    const QString shown = (flags & kDtNoPrefix) ? text : StripPrefixes(text);
    const QFontMetrics fm(font);
    const int width = std::max(0, r.Width());
    QStringList lines;
    if (flags & kDtSingleLine) {
        QString one = shown;
        one.remove(u'\r');
        one.replace(u'\n', u' ');
        lines << one;
    } else {
        QString all = shown;
        all.remove(u'\r');
        for (const QString& para : all.split(u'\n')) {
            if (flags & kDtWordBreak) {
                WrapParagraph(fm, para, width, lines);
            } else {
                lines << para;
            }
        }
    }
    if ((flags & kDtEditControl) && !(flags & (kDtSingleLine | kDtNoClip))) {
        // A last line that would show only in part is left out.
        const qsizetype fit = std::max(1, r.Height() / std::max(1, fm.height()));
        while (lines.size() > fit) {
            lines.removeLast();
        }
    }
    if (flags & (kDtWordEllipsis | kDtEndEllipsis)) {
        for (QString& line : lines) {
            if (fm.horizontalAdvance(line) > width) {
                line = fm.elidedText(line, Qt::ElideRight, width);
            }
        }
    }
    return lines;
}

void DrawSkinText(QPainter& p, const QFont& font, const QString& text, const Rect& r,
                  uint32_t flags, ColorRef color) {
    if (text.isEmpty()) {
        return;
    }
    const QStringList lines = LayoutSkinText(font, text, r, flags);
    const QFontMetrics fm(font);
    const int lineHeight = fm.height();
    int y = r.top;
    if (flags & kDtSingleLine) {
        if (flags & kDtVCenter) {
            y = r.top + (r.Height() - lineHeight) / 2;
        } else if (flags & kDtBottom) {
            y = r.bottom - lineHeight;
        }
    }
    int widest = 0;
    std::vector<int> widths;
    widths.reserve(size_t(lines.size()));
    for (const QString& line : lines) {
        widths.push_back(fm.horizontalAdvance(line));
        widest = std::max(widest, widths.back());
    }
    const int blockHeight = lineHeight * int(lines.size());
    const bool clip =
        !(flags & kDtNoClip) && (widest > r.Width() || y < r.top || y + blockHeight > r.bottom);
    if (clip) {
        p.save();
        p.setClipRect(r.ToQRect(), Qt::IntersectClip);
    }
    p.setFont(font);
    p.setPen(ToQColor(color));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int w = widths[size_t(i)];
        int x = r.left;
        if (flags & kDtCenter) {
            x = r.left + (r.Width() - w) / 2;
        } else if (flags & kDtRight) {
            x = r.right - w;
        }
        p.drawText(QPoint(x, y + fm.ascent()), lines[i]);
        y += lineHeight;
    }
    if (clip) {
        p.restore();
    }
}

}  // namespace velmaro
