#include "app/tray_battery_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "ui/dlg_base.h"

namespace velmaro {

namespace {

constexpr int kSteps = 4;
// The legend's colours: high, medium, low.
const QColor kLevelColours[3] = {QColor(60, 200, 80), QColor(240, 150, 30), QColor(230, 50, 40)};
const QColor kBody(16, 16, 18);
const QColor kOutline(235, 235, 235);
const QColor kBolt(255, 214, 0);

struct EnglishText {
    int Entry;
    const char* Text;
};
constexpr EnglishText kEnglish[] = {
    {kTextStartAtLogin, "Start at login"}, {kTextBatteryLine, "Battery %1%, %2"},
    {kTextOnBattery, "on battery"},        {kTextCharging, "charging"},
    {kTextCharged, "fully charged"},
};

}  // namespace

TrayBatteryState TrayBatteryStateFor(bool wireless, uint8_t level, int chargeState) {
    TrayBatteryState state;
    if (!wireless)
        return state;
    state.Shown = true;
    const int percent = std::min<int>(level, 100);
    if (chargeState == 2) {
        state.Steps = kSteps;
        state.Bolt = true;
        return state;
    }
    // Rounded to the nearest quarter: 0-12 empty, 13-37 one step, ...
    state.Steps = std::clamp((percent + 12) / 25, 0, kSteps);
    state.Colour = percent >= 60 ? 0 : percent >= 25 ? 1 : 2;
    state.Bolt = chargeState == 1;
    return state;
}

QImage DrawTrayIcon(const QIcon& base, const TrayBatteryState& state, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QPixmap plain = base.pixmap(QSize(size, size));
    p.drawPixmap(QRect(0, 0, size, size), plain);
    if (!state.Shown)
        return image;

    // Whole pixels: the outline is 1 px up to 31 px, 2 px from 32 px.
    const int line = std::max(1, size / 16);
    const int nub = line;
    const int width = std::max(9, int(std::lround(size * 0.62)));
    const int height = std::max(6, int(std::lround(size * 0.38)));
    const QRect body(size - width - nub, size - height, width, height);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(body, kOutline);
    p.fillRect(QRect(body.right() + 1, body.top() + height / 4, nub, height - 2 * (height / 4)),
               kOutline);
    const QRect inner = body.adjusted(line, line, -line, -line);
    p.fillRect(inner, kBody);
    const QRect cells = inner.adjusted(line, line, -line, -line);
    if (state.Steps > 0 && cells.width() > 0) {
        const int filled = cells.width() * state.Steps / kSteps;
        p.fillRect(QRect(cells.left(), cells.top(), filled, cells.height()),
                   kLevelColours[std::clamp(state.Colour, 0, 2)]);
    }
    if (state.Bolt) {
        // A bolt across the battery, outlined dark so it reads on any fill.
        const QRectF b(body.left() + body.width() * 0.25, body.top() - height * 0.15,
                       body.width() * 0.5, height * 1.3);
        QPolygonF bolt;
        bolt << QPointF(b.left() + b.width() * 0.62, b.top())
             << QPointF(b.left() + b.width() * 0.12, b.top() + b.height() * 0.56)
             << QPointF(b.left() + b.width() * 0.48, b.top() + b.height() * 0.56)
             << QPointF(b.left() + b.width() * 0.36, b.bottom())
             << QPointF(b.right() - b.width() * 0.1, b.top() + b.height() * 0.42)
             << QPointF(b.left() + b.width() * 0.54, b.top() + b.height() * 0.42);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(kBody, std::max(1.0, size / 24.0)));
        p.setBrush(kBolt);
        p.drawPolygon(bolt);
    }
    return image;
}

QIcon TrayIconFor(const QIcon& base, const TrayBatteryState& state) {
    QIcon icon;
    for (int size : kTrayIconSizes)
        icon.addPixmap(QPixmap::fromImage(DrawTrayIcon(base, state, size)));
    return icon;
}

QString TrayText(const LanguageTable& language, int entry) {
    const std::u16string& text = language.Text(size_t(entry));
    if (!text.empty())
        return QString::fromStdU16String(text);
    for (const EnglishText& english : kEnglish) {
        if (english.Entry == entry)
            return QString::fromUtf8(english.Text);
    }
    return QString();
}

QString TrayToolTip(const LanguageTable& language, bool wireless, uint8_t level, int chargeState) {
    const QString name = QString::fromUtf16(kDeviceDisplayName);
    if (!wireless)
        return name;
    const int state = chargeState == 1   ? kTextCharging
                      : chargeState == 2 ? kTextCharged
                                         : kTextOnBattery;
    return name + '\n' +
           TrayText(language, kTextBatteryLine)
               .arg(std::min<int>(level, 100))
               .arg(TrayText(language, state));
}

}  // namespace velmaro
