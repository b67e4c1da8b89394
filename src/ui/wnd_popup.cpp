#include "ui/wnd_popup.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <utility>

#include "ui/dlg_base.h"
#include "ui/skin_image.h"

namespace velmaro {

namespace {

// Deactivation messages by kind; kinds not listed send nothing.
constexpr std::array<std::pair<int, uint32_t>, 12> kDeactivationMessages{{
    {0, 0x405},
    {2, 0x412},
    {3, 0x415},
    {6, 0x421},
    {7, 0x466},
    {9, 0x47A},
    {10, 0x484},
    {11, 0x487},
    {12, 0x48A},
    {13, 0x48D},
    {14, 0x490},
    {15, 0x492},
}};

Point ToPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return Point{p.x(), p.y()};
}

// Width of the background's rounded rim, in image pixels; the rest stretches.
constexpr int kBackgroundRim = 6;

}  // namespace

uint32_t PopupDeactivationMessage(int kind) {
    for (const auto& [k, message] : kDeactivationMessages) {
        if (k == kind) {
            return message;
        }
    }
    return 0;
}

CWndPopup::CWndPopup(UiContext& ui, int kind) : ui_(ui), kind_(kind), font_(ui.ProgramFont()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
}

CWndPopup::~CWndPopup() = default;

bool CWndPopup::Create(CDlgBase* owner, const Rect& screenRect, uint32_t message, uint32_t data) {
    if (created_) {
        return false;
    }
    owner_ = owner;
    message_ = message;
    data_ = data;
    position_ = QPoint(screenRect.left, screenRect.top);
    // A tool window above everything, no frame, no taskbar entry; as the
    // owner's child it is destroyed with the owner. A Wayland compositor
    // places a tool window where it likes: there the popup is a popup of
    // its owner, which the compositor puts where it is asked relative to it.
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    setParent(owner, (wayland ? Qt::Popup : Qt::Tool) | Qt::FramelessWindowHint |
                         Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(std::max(1, screenRect.Width()), std::max(1, screenRect.Height()));
    created_ = true;

    InitItems();
    LayOut();
    background_ = ui_.Pictures.Get(PngResourcePath(151));
    Render();
    move(position_);
    show();
    activateWindow();
    return true;
}

void CWndPopup::PostClose() {
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void CWndPopup::DrawPopup(QPainter&, const Rect&) {}
void CWndPopup::DrawIcons(QPainter&) {}
void CWndPopup::InitItems() {}
void CWndPopup::LayOut() {}
bool CWndPopup::OnPopupMouseMove(Point) {
    return false;
}
bool CWndPopup::OnPopupLButtonDown(Point) {
    return false;
}
bool CWndPopup::OnPopupLButtonUp(Point) {
    return false;
}
bool CWndPopup::OnPopupRButtonUp(Point) {
    return false;
}

void CWndPopup::DrawBackground(QPainter& painter, const QRect& r) const {
    if (background_.isNull()) {
        return;
    }
    // Corners keep their shape (scaled like everything else); edges and
    // middle stretch.
    const int src_rim =
        std::min({kBackgroundRim, background_.width() / 2, background_.height() / 2});
    const int rim = std::min({int(src_rim * ui_.Scale), r.width() / 2, r.height() / 2});
    const int sw = background_.width(), sh = background_.height();
    const int xs[4] = {0, src_rim, sw - src_rim, sw};
    const int ys[4] = {0, src_rim, sh - src_rim, sh};
    const int xd[4] = {r.left(), r.left() + rim, r.right() + 1 - rim, r.right() + 1};
    const int yd[4] = {r.top(), r.top() + rim, r.bottom() + 1 - rim, r.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect src(QPoint(xs[col], ys[row]), QPoint(xs[col + 1] - 1, ys[row + 1] - 1));
            const QRect dst(QPoint(xd[col], yd[row]), QPoint(xd[col + 1] - 1, yd[row + 1] - 1));
            DrawSkinImage(painter, background_, src, dst);
        }
    }
}

void CWndPopup::Render() {
    const QRect client(QPoint(0, 0), size());
    const qreal ratio = devicePixelRatioF();
    QImage image(client.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    // Fully transparent where nothing is drawn; everything drawn is opaque
    // as the artwork is, so the popup stands out clearly over any window.
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        DrawBackground(painter, client);
        painter.setFont(font_);
        DrawPopup(painter, Rect::FromQRect(client));
    }
    image_ = std::move(image);
    ++render_count_;
    update();
}

intptr_t CWndPopup::NotifyOwner(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    // An owner whose window is gone hears nothing.
    if (owner_.isNull()) {
        return 0;
    }
    return owner_->SendMessage(message, wParam, lParam);
}

void CWndPopup::DetachOwner() {
    owner_.clear();
}

bool CWndPopup::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && created_ && !closing_ && isVisible()) {
        const uint32_t message = PopupDeactivationMessage(kind_);
        if (message != 0) {
            NotifyOwner(message, data_, kind_);
        }
    }
    return QWidget::event(event);
}

void CWndPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), image_);
}

void CWndPopup::mouseMoveEvent(QMouseEvent* event) {
    tracking_ = true;
    if (!mouse_down_ && !closing_ && OnPopupMouseMove(ToPoint(event)) && !closing_) {
        Render();
    }
}

void CWndPopup::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // The window keeps the pointer until the button comes up (implicit grab).
    mouse_down_ = true;
    if (!closing_ && OnPopupLButtonDown(ToPoint(event)) && !closing_) {
        Render();
    }
}

void CWndPopup::mouseReleaseEvent(QMouseEvent* event) {
    const Point point = ToPoint(event);
    if (event->button() == Qt::LeftButton) {
        mouse_down_ = false;
        if (!closing_ && OnPopupLButtonUp(point) && !closing_) {
            Render();
        }
    } else if (event->button() == Qt::RightButton) {
        if (!closing_ && OnPopupRButtonUp(point) && !closing_) {
            Render();
        }
    }
}

void CWndPopup::leaveEvent(QEvent*) {
    tracking_ = false;
    // The pointer is outside now: a point that lies in no item.
    if (!mouse_down_ && !closing_ && OnPopupMouseMove(Point{-1, -1}) && !closing_) {
        Render();
    }
}

void CWndPopup::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        NotifyOwner(kPopupClosedMessage, 0, 0);
    }
    event->accept();
}

}  // namespace velmaro
