#include "ui/dlg_base.h"

#include <QCursor>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

#include "ui/skin_image.h"

namespace velmaro {

namespace {

uint32_t MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
    uint32_t f = 0;
    if (buttons & Qt::LeftButton)
        f |= kMkLButton;
    if (buttons & Qt::RightButton)
        f |= kMkRButton;
    if (buttons & Qt::MiddleButton)
        f |= kMkMButton;
    if (mods & Qt::ShiftModifier)
        f |= kMkShift;
    if (mods & Qt::ControlModifier)
        f |= kMkControl;
    return f;
}

Point ClientPoint(const QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    return Point{p.x(), p.y()};
}

// Page tabs and profile tabs: a click on one changes what the whole window shows.
constexpr uint32_t kWholeWindowIds[] = {0xBB9, 0xBBA, 0xBBB, 0xBBC, 0xBBF, 0xBC0, 0xBC1,
                                        0x7F8, 0x801, 0x802, 0x803, 0x804, 0x805};

}  // namespace

CDlgBase::CDlgBase(UiContext& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
    setWindowFlag(Qt::FramelessWindowHint, true);
    setMouseTracking(true);
    // Every pixel is painted from the off-screen image; nothing to erase.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    setFocusPolicy(Qt::StrongFocus);
}

CDlgBase::~CDlgBase() {
    for (auto& [id, timer] : timers_) {
        timer->stop();
    }
    hovered_ = nullptr;
    pressed_ = nullptr;
    for (Layer& layer : layers_) {
        layer.clear();
    }
}

// --- messages -------------------------------------------------------------

intptr_t CDlgBase::SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    return DispatchMessage(msg, wParam, lParam);
}

intptr_t CDlgBase::DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    const auto it = handlers_.find(msg);
    if (it == handlers_.end()) {
        return 0;
    }
    // A copy, so a handler may replace its own entry while it runs.
    const MessageHandler handler = it->second;
    return handler(msg, wParam, lParam);
}

void CDlgBase::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    QMetaObject::invokeMethod(
        this, [this, msg, wParam, lParam] { SendMessage(msg, wParam, lParam); },
        Qt::QueuedConnection);
}

void CDlgBase::OnMessage(uint32_t msg, MessageHandler handler) {
    handlers_[msg] = std::move(handler);
}

void CDlgBase::OnMessages(std::initializer_list<uint32_t> msgs, const MessageHandler& handler) {
    for (uint32_t m : msgs) {
        handlers_[m] = handler;
    }
}

// --- timers -----------------------------------------------------------------

QTimer* CDlgBase::TimerFor(int id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) {
        return it->second;
    }
    auto* timer = new QTimer(this);
    QObject::connect(timer, &QTimer::timeout, this, [this, id] { OnTimer(id); });
    timers_.emplace(id, timer);
    return timer;
}

void CDlgBase::StartTimer(int id, int period_ms) {
    QTimer* t = TimerFor(id);
    t->setSingleShot(false);
    t->start(std::max(0, period_ms));
}

void CDlgBase::StartSingleShotTimer(int id, int delay_ms) {
    QTimer* t = TimerFor(id);
    t->setSingleShot(true);
    t->start(std::max(0, delay_ms));
}

void CDlgBase::StopTimer(int id) {
    const auto it = timers_.find(id);
    if (it != timers_.end()) {
        it->second->stop();
    }
}

bool CDlgBase::IsTimerRunning(int id) const {
    const auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

void CDlgBase::OnTimer(int) {}

// --- controls ---------------------------------------------------------------

void CDlgBase::AddControlImpl(int layer, std::unique_ptr<CControlBase> control) {
    layers_.at(size_t(layer)).push_back(std::move(control));
}

CControlBase* CDlgBase::FindControl(uint32_t id) const {
    for (const Layer& layer : layers_) {
        for (const auto& c : layer) {
            if (c->Id() == id) {
                return c.get();
            }
        }
    }
    return nullptr;
}

void CDlgBase::SetLayerVisible(int layer, bool visible) {
    for (const auto& c : layers_.at(size_t(layer))) {
        c->SetPageVisible(visible);
    }
}

void CDlgBase::ReleaseAllImages() {
    for (const Layer& layer : layers_) {
        for (const auto& c : layer) {
            c->ReleaseImages();
        }
    }
}

void CDlgBase::CompactControlImages() {
    for (const Layer& layer : layers_) {
        for (const auto& c : layer) {
            c->CompactImages();
        }
    }
}

// --- painting ---------------------------------------------------------------

void CDlgBase::DrawControls(QPainter& dc, const Rect& updateRect) {
    for (const Layer& layer : layers_) {
        for (const auto& c : layer) {
            if (!c->IsShown() || !c->GetRect().Intersects(updateRect)) {
                continue;
            }
            c->Draw(dc, updateRect);
        }
    }
}

void CDlgBase::InvalidateRect(const Rect& rect, bool) {
    const QRect r = rect.ToQRect();
    if (r.isEmpty()) {
        return;
    }
    dirty_ += r;
    update(r);
}

void CDlgBase::InvalidateAll() {
    const QSize sz = initialized_ ? size() : windowSize_;
    dirty_ = QRegion(0, 0, sz.width(), sz.height());
    update();
}

const QImage& CDlgBase::RenderRegion(const QRegion& region) {
    const QSize sz = initialized_ ? size() : windowSize_;
    // What the window painted since the image was last brought up to date.
    QRegion todo = region | offscreenStale_;
    offscreenStale_ = QRegion();
    if (backBuffer_.size() != sz) {
        backBuffer_ = QImage(sz, QImage::Format_RGB32);
        todo = QRegion(0, 0, sz.width(), sz.height());
    }
    todo &= QRect(QPoint(0, 0), sz);
    if (todo.isEmpty()) {
        return backBuffer_;
    }
    ui_.ReadyFonts();
    QPainter p(&backBuffer_);
    p.setClipRegion(todo);
    DrawWindow(p, Rect::FromQRect(todo.boundingRect()));
    return backBuffer_;
}

const QImage& CDlgBase::RenderPending() {
    const QRegion todo = dirty_;
    dirty_ = QRegion();
    return RenderRegion(todo);
}

const QImage& CDlgBase::RenderAll() {
    const QSize sz = initialized_ ? size() : windowSize_;
    dirty_ = QRegion();
    return RenderRegion(QRegion(0, 0, sz.width(), sz.height()));
}

void CDlgBase::paintEvent(QPaintEvent* event) {
    if (isMinimized()) {
        return;
    }
    const QRegion todo = (event->region() | dirty_) & rect();
    dirty_ = QRegion();
    if (todo.isEmpty()) {
        return;
    }
    // An off-screen image made for a test or a colour pick is now behind.
    if (!backBuffer_.isNull()) {
        offscreenStale_ += todo;
    }
    // Straight into the window's backing store, which keeps every pixel not
    // repainted: no second full-size image, no copy of each repaint. The
    // painter starts as one on an image does (a widget's painter would take
    // the palette's text colour and background).
    ui_.ReadyFonts();
    QPainter p(this);
    p.setPen(QPen());
    p.setBackground(QBrush(Qt::white));
    p.setFont(QFont());
    p.setClipRegion(todo);
    const size_t readBefore = ui_.Pictures.ReadOrder().size();
    DrawWindow(p, Rect::FromQRect(todo.boundingRect()));
    // Drawn from the picture as read; afterwards from squares.
    if (!tilingPending_ && BackgroundToTile()) {
        tilingPending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                tilingPending_ = false;
                TileBackground();
            },
            Qt::QueuedConnection);
    }
    if (!painted_) {
        painted_ = true;
        const std::vector<QString>& read = ui_.Pictures.ReadOrder();
        firstPaintPictures_.assign(read.begin() + std::ptrdiff_t(readBefore), read.end());
        // The icon (seven sizes read and handed to the window manager) only
        // shows in the taskbar and the window switcher: it follows the
        // first picture on the screen instead of delaying it.
        QMetaObject::invokeMethod(
            this, [this] { setWindowIcon(ProgramIcon()); }, Qt::QueuedConnection);
    }
}

// --- window -----------------------------------------------------------------

void CDlgBase::setVisible(bool visible) {
    if (visible && !initialized_) {
        Initialize();
    }
    QDialog::setVisible(visible);
}

bool CDlgBase::Initialize() {
    if (initialized_) {
        return true;
    }
    initialized_ = true;
    return OnInitDialog();
}

bool CDlgBase::OnInitDialog() {
    setWindowTitle(QString::fromUtf16(kDeviceDisplayName));

    // 10 points at the screen's resolution, semi-bold, in the program-wide face.
    titleFont_ = QFont(QString::fromStdU16String(ui_.Font.Face));
    titleFont_.setPixelSize(std::max(1, 10 * logicalDpiY() / 72));
    titleFont_.setWeight(QFont::DemiBold);

    setFixedSize(windowSize_);
    InitUI(0, 0, windowSize_.width(), windowSize_.height());

    QRect area;
    if (QWidget* owner = parentWidget()) {
        area = owner->window()->frameGeometry();
    } else if (QScreen* s = screen()) {
        area = s->availableGeometry();
    }
    if (area.isValid()) {
        move(area.center() - QPoint(windowSize_.width() / 2, windowSize_.height() / 2));
    }
    InvalidateAll();
    return true;
}

int CDlgBase::DoModal() {
    Initialize();
    return exec();
}

void CDlgBase::EndDialog(int result) {
    done(result);
}

// --- mouse ------------------------------------------------------------------

bool CDlgBase::IsTabId(uint32_t id) const {
    return std::find(std::begin(kWholeWindowIds), std::end(kWholeWindowIds), id) !=
           std::end(kWholeWindowIds);
}

void CDlgBase::HandleMouseMove(uint32_t flags, Point p) {
    // The pointer is tracked from the first move until it leaves the window.
    tracking_ = true;
    if (hovered_ && hovered_->GetRect().Contains(p)) {
        lastPoint_ = p;
        if (hovered_->OnMouseMove(flags, p.x, p.y)) {
            InvalidateRect(hovered_->GetRect());
        }
        return;
    }
    // During a press the pressed control keeps the pointer.
    if (mouseDown_) {
        return;
    }
    lastPoint_ = p;
    CControlBase* old = hovered_;
    CControlBase* found = nullptr;
    for (const Layer& layer : layers_) {
        for (const auto& c : layer) {
            if (!c->IsShown() || !c->TakesMouse()) {
                continue;
            }
            // Every eligible control sees the move, so each can drop its hover look.
            c->OnMouseMove(flags, lastPoint_.x, lastPoint_.y);
            if (c->GetRect().Contains(p)) {
                found = c.get();  // the last one in drawing order wins
            }
        }
    }
    if (old) {
        InvalidateRect(old->GetRect());
    }
    hovered_ = found;
    if (found) {
        InvalidateRect(found->GetRect());
    }
}

void CDlgBase::HandleMouseLeave() {
    tracking_ = false;
    if (mouseDown_ || !hovered_) {
        return;
    }
    const Rect r = hovered_->GetRect();
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    if (isMaximized() && r.Contains(cursor.x(), cursor.y())) {
        lastPoint_ = Point{cursor.x(), cursor.y()};
    } else {
        lastPoint_ = Point{-1, -1};
    }
    hovered_->OnMouseMove(0, lastPoint_.x, lastPoint_.y);
    InvalidateRect(r);
    hovered_ = nullptr;
}

void CDlgBase::HandleLButtonDown(uint32_t flags, Point p) {
    // A press always ends whatever window move the last one began.
    windowMoving_ = false;
    manualMove_ = false;
    if (pressed_ && pressed_ != hovered_) {
        pressed_->SetFocused(false);
        pressed_ = nullptr;
    }
    if (hovered_ && hovered_->GetRect().Contains(p)) {
        mouseDown_ = true;
        pressed_ = hovered_;
        pressedRect_ = hovered_->GetRect();
        if (hovered_->OnLButtonDown(flags, p.x, p.y)) {
            InvalidateRect(pressedRect_);
        }
        if (!captured_) {
            captured_ = true;
        }
        return;
    }
    pressedRect_ = kNoRect;
    windowMoving_ = BeginWindowMove(p);
}

void CDlgBase::HandleLButtonUp(uint32_t flags, Point p) {
    captured_ = false;
    mouseDown_ = false;
    if (windowMoving_) {
        // The release ends the window move; it is no click.
        windowMoving_ = false;
        manualMove_ = false;
        return;
    }
    Rect r{};
    bool haveControl = false;
    if (hovered_) {
        haveControl = true;
        r = hovered_->GetRect();
        const uint32_t id = hovered_->Id();
        const bool changed = hovered_->OnLButtonUp(flags, p.x, p.y);
        // The notification may have switched pages and cleared the hover.
        if (changed && hovered_) {
            if (IsTabId(id)) {
                InvalidateAll();
            } else {
                InvalidateRect(r);
            }
        }
    }
    if (!pressedRect_.Contains(p) && !(haveControl && r.Contains(p))) {
        lastPoint_ = Point{-1, -1};
        hovered_ = nullptr;
    } else {
        lastPoint_ = p;
    }
    doubleClicked_ = false;
    pressedRect_ = kNoRect;
}

void CDlgBase::HandleLButtonDblClk(uint32_t flags, Point p) {
    if (!hovered_) {
        return;
    }
    for (const Layer& layer : layers_) {
        for (const auto& c : layer) {
            if (!c->IsShown() || !c->GetRect().Contains(p)) {
                continue;
            }
            const Rect r = c->GetRect();
            CControlBase* target = hovered_;
            if (target->OnLButtonDblClk(flags, p.x, p.y) && hovered_) {
                InvalidateRect(target->GetRect());
            }
            pressedRect_ = r;
            doubleClicked_ = true;
            return;
        }
    }
}

void CDlgBase::HandleRButtonUp(uint32_t flags, Point p) {
    for (const auto& c : layers_[0]) {
        if (!c->IsShown() || !c->GetRect().Contains(p)) {
            continue;
        }
        if (hovered_) {
            CControlBase* target = hovered_;
            if (target->OnRButtonUp(flags, p.x, p.y) && hovered_) {
                InvalidateRect(target->GetRect());
            }
        }
        return;
    }
}

bool CDlgBase::BeginWindowMove(Point p) {
    if (QWindow* w = window()->windowHandle(); w && w->startSystemMove()) {
        return true;
    }
    // Where the window system cannot move the window, follow the pointer here.
    manualMove_ = true;
    manualMoveOffset_ = mapToGlobal(QPoint(p.x, p.y)) - window()->pos();
    return true;
}

bool CDlgBase::OnMouseWheel(int, Point) {
    return false;
}

void CDlgBase::mouseMoveEvent(QMouseEvent* event) {
    if (manualMove_) {
        if (event->buttons() & Qt::LeftButton) {
            window()->move(event->globalPosition().toPoint() - manualMoveOffset_);
            return;
        }
        manualMove_ = false;
        windowMoving_ = false;
    }
    HandleMouseMove(MouseFlags(event->buttons(), event->modifiers()), ClientPoint(event));
}

void CDlgBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        HandleLButtonDown(MouseFlags(event->buttons(), event->modifiers()), ClientPoint(event));
    }
    event->accept();
}

void CDlgBase::mouseReleaseEvent(QMouseEvent* event) {
    const uint32_t flags = MouseFlags(event->buttons(), event->modifiers());
    if (event->button() == Qt::LeftButton) {
        HandleLButtonUp(flags, ClientPoint(event));
    } else if (event->button() == Qt::RightButton) {
        HandleRButtonUp(flags, ClientPoint(event));
    }
    event->accept();
}

void CDlgBase::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        HandleLButtonDblClk(MouseFlags(event->buttons(), event->modifiers()), ClientPoint(event));
    }
    event->accept();
}

void CDlgBase::wheelEvent(QWheelEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseWheel(event->angleDelta().y() / 120, Point{p.x(), p.y()})) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CDlgBase::leaveEvent(QEvent*) {
    HandleMouseLeave();
}

void CDlgBase::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnEnterKey();
            event->accept();
            return;
        case Qt::Key_Escape:
            OnEscapeKey();
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

// --- popups -----------------------------------------------------------------

bool CDlgBase::OpenPopup(int slot, PopupWindow* popup, const Rect& screenRect, uint32_t message,
                         uint32_t data) {
    if (slot < 0 || slot >= kPopupSlots) {
        return false;
    }
    ClosePopup(slot);
    if (!popup) {
        return false;
    }
    popups_[size_t(slot)] = popup;
    if (!popup->Create(this, screenRect, message, data)) {
        // No window will ever destroy it, so it goes now.
        popups_[size_t(slot)] = nullptr;
        popup->deleteLater();
        return false;
    }
    return true;
}

void CDlgBase::ClosePopup(int slot) {
    if (slot < 0 || slot >= kPopupSlots) {
        return;
    }
    QPointer<PopupWindow> popup = popups_[size_t(slot)];
    popups_[size_t(slot)] = nullptr;
    if (!popup) {
        return;
    }
    if (pressed_ && pressed_ != hovered_) {
        pressed_->SetFocused(false);
        pressed_ = nullptr;
    }
    QMetaObject::invokeMethod(
        popup.data(),
        [popup] {
            if (popup) {
                popup->close();
            }
        },
        Qt::QueuedConnection);
}

PopupWindow* CDlgBase::Popup(int slot) const {
    if (slot < 0 || slot >= kPopupSlots) {
        return nullptr;
    }
    return popups_[size_t(slot)].data();
}

}  // namespace velmaro
