// The right-hand column of collapsible settings sections: the six section
// headers, which sections may be open together, and the column laid out anew
// on every paint (headers moved, each open section framed, the sections
// placed at their origins).
#pragma once

#include <QImage>
#include <array>
#include <cstdint>

#include "app/main_window_page.h"

namespace velmaro {

enum class Section : int { Dpi, Lighting, Rate, LiftOff, Pointer, Debounce };
inline constexpr int kSectionCount = 6;

inline constexpr uint32_t kDpiHeaderId = 0xBB9;       // 3001
inline constexpr uint32_t kLightingHeaderId = 0xBBA;  // 3002
inline constexpr uint32_t kPointerHeaderId = 0xBBB;   // 3003
inline constexpr uint32_t kRateHeaderId = 0xBBC;      // 3004
inline constexpr uint32_t kLiftOffHeaderId = 0xBC3;   // 3011
inline constexpr uint32_t kDebounceHeaderId = 0xBC4;  // 3012

// The column, in unscaled client pixels.
inline constexpr int kColumnLeft = 846;
inline constexpr int kColumnWidth = 262;
inline constexpr int kHeaderHeight = 25;

struct SectionInfo {
    Section Which;
    uint32_t HeaderId;
    uint16_t Caption;  // LanguageTable entry
    int Layer;
    bool OpenAtStart;
    int FrameHeight;  // 0: no frame
};

// In the order the headers are created.
extern const std::array<SectionInfo, kSectionCount> kSections;
const SectionInfo& InfoOf(Section section);

using SectionSet = std::array<bool, kSectionCount>;

// Which sections close when `opened` has just been opened, given what is open.
SectionSet SectionsToClose(Section opened, const SectionSet& open);

// Header tops of the column (unscaled); -1 for a header the layout leaves
// where it was created (debounce).
std::array<int, kSectionCount> HeaderTops(const SectionSet& open, bool liftOffShown);

class CSettingsSections : public CMainWindowPage {
  public:
    using CMainWindowPage::CMainWindowPage;

    void InitUI() override;
    bool OnMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    void SensorChanged(bool extended) override;

    // Moves the headers, draws the frames of the open sections and places
    // the sections; the main window calls it on every paint before drawing
    // the controls.
    void LayOut(QPainter* dc);

    bool IsOpen(Section section) const;
    bool IsHeaderShown(Section section) const;
    // Opens or closes a section as its header's click does.
    void SetOpen(Section section, bool open);
    // The header's rectangle in client pixels (as laid out by the last paint).
    Rect HeaderRect(Section section) const;

  private:
    void ShowLayers();

    QImage framePiece_;
};

}  // namespace velmaro
