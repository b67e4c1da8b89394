#include "ui/ui_context.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace velmaro {

namespace {

// Line height (ascent + descent) per em of the faces the artwork was made
// for. Text keeps their glyph size whatever face stands in for them.
double KnownLineHeightPerEm(const QString& face) {
    if (face.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0) {
        return (2049.0 + 423.0) / 2048.0;
    }
    if (face == QString::fromUtf16(u"宋体") ||
        face.compare(QLatin1String("SimSun"), Qt::CaseInsensitive) == 0) {
        return 1.0;
    }
    return 0;
}

}  // namespace

Rect UiContext::ScaledRect(int left, int top, int right, int bottom) const {
    return Rect{Px(left), Px(top), Px(right), Px(bottom)};
}

void UiContext::ReadyFonts() const {
    if (fontsPending_) {
        const std::function<void()> finish = std::move(fontsPending_);
        fontsPending_ = nullptr;
        finish();
    }
}

QFont UiContext::MakeFont(const QString& face, int height) const {
    ReadyFonts();
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    if (height < 0) {
        // A negative height is the character height, which is what Qt sizes.
        font.setPixelSize(-height);
        return font;
    }
    if (height == 0) {
        height = 12;
    }
    // A positive height is the whole line (ascent + descent); Qt sizes the
    // em, which is smaller by a ratio that depends on the face.
    auto it = lineHeightPer100_.find(face);
    if (it == lineHeightPer100_.end() && KnownLineHeightPerEm(face) > 0) {
        it = lineHeightPer100_.emplace(face, 100 * KnownLineHeightPerEm(face)).first;
    }
    if (it == lineHeightPer100_.end()) {
        QFont probe(face);
        probe.setStyleHint(QFont::SansSerif);
        probe.setPixelSize(100);
        const QFontMetricsF fm(probe);
        double line = fm.ascent() + fm.descent();
        if (!(line > 0)) {
            line = 100;
        }
        it = lineHeightPer100_.emplace(face, line).first;
    }
    font.setPixelSize(std::max(1, int(std::lround(height * 100.0 / it->second))));
    return font;
}

QFont UiContext::ProgramFont() const {
    return MakeFont(QString::fromStdU16String(Font.Face), Font.Height);
}

QFont UiContext::EditFieldFont(int tenthsOfPoint) const {
    // A ratio the screen could not give reads as 96 DPI.
    const double ratio = DisplayRatio > 0 && std::isfinite(DisplayRatio) ? DisplayRatio : 1.0;
    const int tenths = int(tenthsOfPoint * Scale / ratio);
    ReadyFonts();
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(std::max(1, tenths) / 10.0);
    return font;
}

}  // namespace velmaro
