// The sleep-time dial (id 0xDAC): a half-round picture per sleep time and ten
// wedges around a common centre; a release on a wedge picks its time.
#pragma once

#include <QRegion>
#include <array>

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace velmaro {

inline constexpr uint32_t kPowerManageId = 0xDAC;

class CPowerManageButton : public CControlBase {
  public:
    CPowerManageButton(ControlHost* host, const Rect& rect, const QString& text,
                       uint32_t align = kDtCenter, bool pageVisible = true, bool visible = true,
                       bool disabled = false);

    // The picture of sleep time `value` (1..10).
    void SetValueImage(int value, const QString& path);
    // Sleep time in minutes (1..10; the dial picks 3..10).
    void SetValue(int value) { value_ = value; }
    int Value() const { return value_; }
    uint32_t Alignment() const { return align_; }
    // The sleep time whose wedge holds the point (3..10), or 0.
    int WedgeAt(int x, int y) const;

    // The wedges follow the rectangle.
    void SetRect(int left, int top, int right, int bottom) override;
    using CControlBase::SetRect;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    bool OnMouseMove(uint32_t flags, int x, int y) override;
    bool OnLButtonDown(uint32_t flags, int x, int y) override;
    bool OnLButtonUp(uint32_t flags, int x, int y) override;
    void ReleaseImages() override;

  private:
    void BuildWedges();

    std::array<SkinImage, 10> images_;
    std::array<QRegion, 10> wedges_;
    int value_ = 0;
    uint32_t align_;
};

}  // namespace velmaro
