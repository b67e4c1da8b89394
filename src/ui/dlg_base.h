// The skinned window: owns the windowless controls in seven layers, paints
// the whole client area through one off-screen image (the subclass paints its
// frame, then the controls), routes the mouse to the right control, lets the
// user drag the window by its background, runs timers by id and keeps the
// popups it opened. Control notifications arrive as messages (message number =
// control id) and are dispatched synchronously through the handler table.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "model/timer_host.h"
#include "ui/control_base.h"
#include "ui/popup_window.h"
#include "ui/program_icon.h"
#include "ui/tiled_picture.h"
#include "ui/ui_context.h"
#include "ui/ui_types.h"

class QIcon;
class QTimer;

namespace velmaro {

// The display name shown as every skinned window's title.
inline constexpr char16_t kDeviceDisplayName[] = u"Pyxeltor Quill mouse";

class CDlgBase : public QDialog, public ControlHost, public TimerHost {
  public:
    static constexpr int kLayerCount = 7;
    static constexpr int kPopupSlots = 11;
    using MessageHandler = std::function<intptr_t(uint32_t msg, uintptr_t wParam, intptr_t lParam)>;
    using Layer = std::vector<std::unique_ptr<CControlBase>>;

    explicit CDlgBase(UiContext& ui, QWidget* parent = nullptr);
    ~CDlgBase() override;

    // --- messages -------------------------------------------------------
    // Dispatches at once through DispatchMessage and returns its result.
    intptr_t SendMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) final;
    // Queues the message on the event loop of the window's thread; safe to
    // call from any thread. Dropped when the window is gone by then.
    void PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // Enters `handler` for `msg` in the handler table (replacing an earlier one).
    void OnMessage(uint32_t msg, MessageHandler handler);
    void OnMessages(std::initializer_list<uint32_t> msgs, const MessageHandler& handler);

    // --- timers by id (one timer per id) ------------------------------------
    // (Re)starts a periodic timer; restarting begins the period anew.
    void StartTimer(int id, int period_ms) override;
    // (Re)starts a timer that fires once.
    void StartSingleShotTimer(int id, int delay_ms);
    void StopTimer(int id) override;
    bool IsTimerRunning(int id) const override;

    // --- controls -------------------------------------------------------
    // Appends to a layer; the host owns it from now on. Layers are 0..6.
    template <class T>
    T* AddControl(int layer, std::unique_ptr<T> control) {
        T* raw = control.get();
        AddControlImpl(layer, std::move(control));
        return raw;
    }
    // Constructs T(this, args...) and appends it to `layer`.
    template <class T, class... Args>
    T* MakeControl(int layer, Args&&... args) {
        return AddControl(layer, std::make_unique<T>(this, std::forward<Args>(args)...));
    }
    // The first control with this id, layers in order, each in insertion order.
    CControlBase* FindControl(uint32_t id) const;
    template <class T>
    T* FindControlAs(uint32_t id) const {
        return dynamic_cast<T*>(FindControl(id));
    }
    const Layer& LayerControls(int layer) const { return layers_.at(size_t(layer)); }
    // SetPageVisible on every control of the layer (no repaint).
    void SetLayerVisible(int layer, bool visible);
    // ReleaseImages on every control.
    void ReleaseAllImages();
    // CompactImages on every control: once the pictures of the first paint
    // are kept for the next start, which takes them from the controls'
    // pictures.
    void CompactControlImages();

    // --- background and frames ----------------------------------------------
    // Loads a compiled-in bitmap (":/bitmap/<id>.bmp") or a file; records its
    // size and takes its average colour as the background colour. A failed
    // load changes nothing.
    bool LoadBackground(int resourceId);
    bool LoadBackground(const QString& path);
    // The loaded background's average colour, or the colour set.
    ColorRef BackgroundColor() const;
    void SetBackgroundColor(ColorRef c);
    QSize BackgroundSize() const { return backgroundSize_; }
    // The loaded background at the UI scale, drawn at the client origin
    // within the painter's clip.
    void DrawBackground(QPainter& dc) const;
    // Whether the background is held in squares (see TiledPicture): at
    // scale 1.0, once the window has first been painted.
    bool BackgroundTiled() const { return !tiledBackground_.IsNull(); }
    // Fills `r` with the background colour.
    void FillBackground(QPainter& dc, const Rect& r) const;
    // Fills the parts of `r` the loaded background does not cover.
    void FillOutsideBackground(QPainter& dc, const Rect& r) const;
    // A small dialog's frame: the skin file ("Frame_common.bmp") drawn at its
    // natural size times the UI scale at the client origin. Returns false when
    // the file is missing (the background colour then shows).
    bool DrawFrameBitmap(QPainter& dc, const QString& skinFile);

    // --- painting -------------------------------------------------------
    // The subclass paints its frame into dc, then calls DrawControls.
    virtual void DrawWindow(QPainter& dc, const Rect& updateRect) = 0;
    // Every shown control whose rectangle meets updateRect, layers in order.
    virtual void DrawControls(QPainter& dc, const Rect& updateRect);
    // The subclass creates its controls for the client rectangle.
    virtual void InitUI(int left, int top, int right, int bottom) = 0;

    void InvalidateRect(const Rect& rect, bool erase = true) override;
    void InvalidateAll();
    // What the next paint will redraw.
    const QRegion& PendingRepaint() const { return dirty_; }
    // Paints the pending region into the off-screen image now, as a paint
    // event paints it into the window. Returns the image.
    const QImage& RenderPending();
    // Paints `region` into the off-screen image.
    const QImage& RenderRegion(const QRegion& region);
    // A full repaint; returns the whole client image.
    const QImage& RenderAll();

    // --- window ---------------------------------------------------------
    // Size given to the window at initialisation (already scaled); set by
    // the subclass before Initialize(). Default 2254 x 1480.
    void SetWindowSize(int width, int height) { windowSize_ = QSize(width, height); }
    QSize WindowSize() const { return windowSize_; }
    // Runs OnInitDialog once (also done on the first show).
    bool Initialize();
    // The pictures read for the window's first paint on the screen, in the
    // order drawn (a start reads them ahead the next time).
    const std::vector<QString>& FirstPaintPictures() const { return firstPaintPictures_; }
    bool IsInitialized() const { return initialized_; }
    // Icon, title, title font, size, InitUI, centring. Subclasses call it first.
    virtual bool OnInitDialog();
    UiContext& Ui() override { return ui_; }
    double Scale() const { return ui_.Scale; }
    int Px(double v) const { return ui_.Px(v); }
    const QFont& TitleFont() const { return titleFont_; }
    // Runs the window modally; EndDialog ends it with `result`.
    int DoModal();
    void EndDialog(int result);

    // --- mouse (the window's events call these; tests may call them too) ------
    void HandleMouseMove(uint32_t flags, Point p);
    void HandleMouseLeave();
    void HandleLButtonDown(uint32_t flags, Point p);
    void HandleLButtonUp(uint32_t flags, Point p);
    void HandleLButtonDblClk(uint32_t flags, Point p);
    void HandleRButtonUp(uint32_t flags, Point p);
    CControlBase* Hovered() const { return hovered_; }
    CControlBase* Pressed() const { return pressed_; }
    // Forget the hovered control (a notification that switches pages does this).
    void ResetHover() { hovered_ = nullptr; }
    bool MouseDown() const { return mouseDown_; }
    bool Captured() const { return captured_; }
    Point LastPoint() const { return lastPoint_; }
    Rect PressedRect() const { return pressedRect_; }
    bool DoubleClicked() const { return doubleClicked_; }

    // --- popups ---------------------------------------------------------
    // Closes the slot, stores the popup there and creates its window owned
    // by this one. A popup whose window cannot be created is deleted and the
    // slot stays empty; returns whether it opened.
    bool OpenPopup(int slot, PopupWindow* popup, const Rect& screenRect, uint32_t message,
                   uint32_t data);
    // Asks the slot's popup (if it still exists) to close, on the event loop,
    // and empties the slot.
    void ClosePopup(int slot);
    PopupWindow* Popup(int slot) const;

  protected:
    // The handler table lookup; unhandled messages answer 0. Override to see
    // every message (call the base to keep the table working).
    virtual intptr_t DispatchMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    virtual void OnTimer(int id);
    // Enter and Escape: swallowed unless the dialog overrides these.
    virtual void OnEnterKey() {}
    virtual void OnEscapeKey() {}
    // Wheel over the window, in notches (positive away from the user).
    virtual bool OnMouseWheel(int notches, Point p);
    // A press on the background: hands the drag to the window system (or
    // moves the window itself where the system cannot). Returns whether a
    // move began.
    virtual bool BeginWindowMove(Point p);

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  public:
    // Initialises the window before it is first shown.
    void setVisible(bool visible) override;

  private:
    // The size of the background as drawn: the picture at the UI scale.
    QSize ScaledBackgroundSize() const;
    // Whether the background is a picture at scale 1.0 not tried in squares
    // yet; TileBackground moves it into squares if they are smaller (see
    // tiledBackground_).
    bool BackgroundToTile() const;
    void TileBackground();
    void AddControlImpl(int layer, std::unique_ptr<CControlBase> control);
    QTimer* TimerFor(int id);
    bool IsTabId(uint32_t id) const;

    UiContext& ui_;
    std::array<Layer, kLayerCount> layers_;
    std::unordered_map<uint32_t, MessageHandler> handlers_;
    std::map<int, QTimer*> timers_;
    std::array<QPointer<PopupWindow>, kPopupSlots> popups_;

    QSize windowSize_{2254, 1480};
    bool initialized_ = false;
    bool painted_ = false;
    std::vector<QString> firstPaintPictures_;
    QFont titleFont_;
    mutable ColorRef backgroundColor_ = 0xEFE2BA;
    mutable bool backgroundColorPending_ = false;
    QSize backgroundSize_{100, 100};
    int cornerSize_ = 0;
    QString backgroundPath_;
    QImage scaledBackground_;  // at the UI scale, ready to copy
    // At scale 1.0 the background moves into squares after the first paint,
    // which draws from the picture as read.
    TiledPicture tiledBackground_;
    bool tilingPending_ = false;
    bool tilingTried_ = false;  // since the background was loaded
    std::map<QString, QImage> frameCache_;

    // The off-screen image of RenderRegion(), made only when asked for; the
    // window itself paints into its backing store.
    QImage backBuffer_;
    QRegion offscreenStale_;
    QRegion dirty_;

    bool tracking_ = false;
    bool mouseDown_ = false;
    Rect pressedRect_ = kNoRect;
    bool doubleClicked_ = false;
    bool captured_ = false;
    Point lastPoint_{-1, -1};
    CControlBase* hovered_ = nullptr;
    CControlBase* pressed_ = nullptr;

    // A background press started a window move: its release belongs to the move.
    bool windowMoving_ = false;
    bool manualMove_ = false;
    QPoint manualMoveOffset_;
};

}  // namespace velmaro
