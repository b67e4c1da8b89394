// Shared drawing kit of the skin generator: the skin's colours, the list of
// images to write, and the few shapes every piece of artwork is built from.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

namespace skin {

// The program names its colours as 0x00BBGGRR words; this turns one into a QColor.
inline QColor Ref(std::uint32_t colorref, int alpha = 255) {
    return QColor(int(colorref & 0xFF), int((colorref >> 8) & 0xFF), int((colorref >> 16) & 0xFF),
                  alpha);
}

inline QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

// Mixes a and b: t = 0 gives a, t = 1 gives b.
QColor Mix(const QColor& a, const QColor& b, double t);

// The skin's palette.
namespace col {
inline const QColor kText = Ref(0xB4B4B4);         // normal caption
inline const QColor kTextHover = Ref(0xFFFFFF);    // hovered caption
inline const QColor kTextPressed = Ref(0x00FFFF);  // pressed or checked caption
inline const QColor kAccent = Ref(0xDEA035);       // selection, hover rims, lit parts
inline const QColor kAccentDim = QColor(28, 86, 120);
inline const QColor kAccentDeep = QColor(14, 40, 56);
inline const QColor kAccentGlow = QColor(130, 205, 245);
inline const QColor kPanelLight = Ref(0x4B4B4B);  // list background, raised rims
inline const QColor kPanel = Ref(0x141414);       // panels and fields
inline const QColor kFrameLine = Ref(0x0F0F0F);   // palette frame: picks nothing
inline const QColor kBase = QColor(11, 11, 12);   // window ground
inline const QColor kRaised = QColor(36, 36, 38);
inline const QColor kRaisedHi = QColor(52, 52, 55);
inline const QColor kLine = QColor(44, 44, 47);
inline const QColor kMuted = QColor(110, 110, 114);
inline const QColor kDanger = QColor(214, 58, 52);
inline const QColor kGreen = QColor(72, 200, 96);
inline const QColor kOrange = QColor(240, 150, 40);
}  // namespace col

enum class Look { Normal, Hover, Down };

// One image to be written.
struct Output {
    enum class Root { Skins, Resources };
    enum class Format { Png, Bmp24 };
    Root root;
    QString path;   // relative to its root, "/" separated
    QString alias;  // resource alias in the .qrc (resources only)
    Format format;
    QImage image;
    // Compiled in as it is, without compression: read in place on every
    // start instead of unpacked first.
    bool stored = false;
};

class Sink {
  public:
    void SkinPng(const QString& path, const QImage& image);
    void SkinBmp(const QString& path, const QImage& image);
    void ResourcePng(const QString& path, const QString& alias, const QImage& image);
    void ResourceBmp(const QString& path, const QString& alias, const QImage& image,
                     bool stored = false);
    const std::vector<Output>& outputs() const { return outputs_; }
    const QImage* Find(const QString& path) const;

  private:
    std::vector<Output> outputs_;
};

// A transparent RGBA canvas, and an opaque one for bitmaps.
QImage Canvas(int width, int height);
QImage OpaqueCanvas(int width, int height, const QColor& fill);

// A painter with antialiasing on.
void Begin(QPainter& p, QImage& image);

QPainterPath RoundedRect(const QRectF& r, double radius);
// A rectangle with its corners cut at 45 degrees (the skin's "machined" look).
QPainterPath Chamfered(const QRectF& r, double cut);
// Same, with only the top-left and bottom-right corners cut.
QPainterPath SlantedRect(const QRectF& r, double cut);

QLinearGradient Vertical(const QRectF& r, const QColor& top, const QColor& bottom);
QLinearGradient Horizontal(const QRectF& r, const QColor& left, const QColor& right);

// Soft light around a shape: strokes of growing width and falling opacity.
void Glow(QPainter& p, const QPainterPath& shape, const QColor& colour, double radius);

// Crisp 1-pixel lines on pixel rows and columns (no antialiasing smear).
void HLine(QPainter& p, int x0, int x1, int y, const QColor& c);
void VLine(QPainter& p, int x, int y0, int y1, const QColor& c);
void FrameRect(QPainter& p, const QRect& r, const QColor& c);

// Small glyphs used by several controls.
void Chevron(QPainter& p, QPointF centre, double size, int direction, const QColor& c,
             double width);  // direction: 0 up, 1 right, 2 down, 3 left
void Triangle(QPainter& p, QPointF centre, double size, int direction, const QColor& c);
void CheckMark(QPainter& p, const QRectF& box, const QColor& c, double width);

// A faint diagonal hatch (lines rising to the right), used as a texture on
// large panels; it keeps any clip already set.
void Hatch(QPainter& p, const QRectF& area, int spacing, const QColor& c);

}  // namespace skin
