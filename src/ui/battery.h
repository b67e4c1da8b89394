// The battery gauge (id 0xD4E). On battery it fills the empty picture with
// the full one up to the level; while charging it fills the charging picture
// up to the animation value under the bolt; when full it shows the full
// picture under the bolt. Never takes the mouse.
#pragma once

#include "ui/control_base.h"
#include "ui/skin_image.h"

namespace velmaro {

inline constexpr uint32_t kBatteryId = 0xD4E;

class CBattery : public CControlBase {
  public:
    enum Mode : int { OnBattery = 0, Charging = 1, Full = 2 };
    // The fillable part of the battery picture, in image pixels.
    static constexpr int kTopMargin = 7;
    static constexpr int kInnerHeight = 50;

    CBattery(ControlHost* host, const Rect& rect, const QString& text, bool pageVisible = true,
             bool visible = true, bool disabled = true);

    void SetFullImage(const QString& path) { full_.SetFile(Pictures(), path); }
    void SetEmptyImage(const QString& path) { empty_.SetFile(Pictures(), path); }
    void SetChargingImage(const QString& path) { charging_.SetFile(Pictures(), path); }
    void SetBoltImage(const QString& path) { bolt_.SetFile(Pictures(), path); }
    void SetImages(const QString& full, const QString& empty, const QString& charging,
                   const QString& bolt);

    void SetMode(int mode) { mode_ = mode; }
    int GetMode() const { return mode_; }
    // Percent; a level above 100 is not a reading and shows as 0.
    void SetLevel(int level) { level_ = level > 100 || level < 0 ? 0 : level; }
    int Level() const { return level_; }
    // Percent shown while charging (advanced by the status poll).
    void SetAnimation(int value) { animation_ = value; }
    int Animation() const { return animation_; }

    // Where the filled part starts for `percent`, and the picture row it
    // starts from (the partial drawing of modes 0 and 1).
    struct FillGeometry {
        int DestTop;
        int SourceTop;
    };
    FillGeometry FillFor(int percent) const;

    void Draw(QPainter& dc, const Rect& updateRect) override;
    void ReleaseImages() override;

  private:
    void DrawPartial(QPainter& dc, const SkinImage& image, int percent) const;

    SkinImage full_;
    SkinImage empty_;
    SkinImage charging_;
    SkinImage bolt_;
    int mode_ = OnBattery;
    int level_ = 100;
    int animation_ = 25;
};

}  // namespace velmaro
