// Where the skin artwork expects things to be drawn, in unscaled client pixels
// of the window named (multiply by the UI scale when applying them).
//
// The skin generator draws the main window background, the palette background
// and the mouse picture around these places, so the controls that the program
// lays over the artwork should use them too. Places that the program fixes by
// itself (window buttons, the battery gauge, the button markers, the DPI bars,
// the section column) are repeated here only where the artwork is drawn to
// line up with them.
#pragma once

namespace velmaro::skin_layout {

struct Point {
    int x;
    int y;
};

struct Rect {
    int left;
    int top;
    int width;
    int height;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
};

// --- Main window (1127 x 740) ----------------------------------------------

inline constexpr int kMainWidth = 1127;
inline constexpr int kMainHeight = 740;

// Title strip along the top; the window buttons sit at its right end.
inline constexpr int kTitleStripHeight = 36;

// Panels painted into the background.
inline constexpr Rect kButtonPanel{16, 44, 284, 354};     // "Button Settings" area
inline constexpr Rect kPowerPanel{16, 404, 284, 284};     // sleep dial, power boxes, battery
inline constexpr Rect kStage{308, 44, 528, 644};          // mouse picture
inline constexpr Rect kSectionColumn{846, 37, 262, 651};  // collapsible settings sections
inline constexpr int kBottomStripTop = 692;               // profile, link and reset buttons

// Area title buttons ("header2" images, 180 x 22); their caption needs a left
// text margin of kAreaTitleTextMargin to clear the mark drawn at the left.
inline constexpr Rect kTitleButtonSettings{24, 48, 180, 22};
inline constexpr Rect kTitlePower{24, 407, 180, 22};
inline constexpr Rect kTitlePerformance{846, 8, 180, 22};
inline constexpr int kAreaTitleTextMargin = 22;

// The six button assignment fields ("combo2" images, 160 x 26), one per mouse
// button; the background shows the button's number left of each field.
inline constexpr Rect ButtonField(int index) {
    return Rect{56, 84 + 52 * index, 160, 26};
}
inline constexpr Point ButtonFieldBadgeCentre(int index) {
    return Point{37, 97 + 52 * index};
}

// The mouse picture (skins/mouse/mouse_nr.png, 260 x 420) drawn at its natural
// size; its buttons lie under the button markers (24 x 24) that the button page
// draws at these top-left corners.
inline constexpr Point kMousePicture{435, 150};
inline constexpr int kMousePictureWidth = 260;
inline constexpr int kMousePictureHeight = 420;
inline constexpr int kMarkerSize = 24;
inline constexpr Point kButtonMarkers[6] = {{495, 231}, {608, 231}, {553, 251},
                                            {467, 316}, {471, 386}, {553, 331}};

// Power area.
inline constexpr Rect kBatteryGauge{80, 433, 30, 61};
inline constexpr Rect kBatteryText{115, 480, 40, 18};
inline constexpr Rect BatteryLegendImage(int index) {
    return Rect{172, 441 + 18 * index, 16, 8};
}
inline constexpr Rect BatteryLegendText(int index) {
    return Rect{194, 436 + 18 * index, 96, 18};
}
inline constexpr Rect kSleepDial{80, 512, 140, 90};  // power_manage_*min.png, 140 x 90
inline constexpr Rect kSleepText{30, 604, 240, 18};
inline constexpr Rect kMoveLightingBox{40, 634, 11, 11};
inline constexpr Rect kMoveLightingText{58, 630, 232, 18};
inline constexpr Rect kMotionWakeupBox{40, 660, 11, 11};
inline constexpr Rect kMotionWakeupText{58, 656, 232, 18};

// DPI section (its controls keep fixed places): level k = 0..4.
inline constexpr Rect DpiBar(int k) {
    return Rect{900 + 38 * k, 75, 7, 132};
}
inline constexpr Rect DpiNumber(int k) {
    return Rect{886 + 38 * k, 211, 34, 14};
}
inline constexpr Rect DpiSwatch(int k) {
    return Rect{896 + 38 * k, 229, 15, 8};
}
inline constexpr Rect DpiEnableBox(int k) {
    return Rect{896 + 38 * k, 241, 14, 14};
}

// --- Colour palette dialog (500 x 291) ----------------------------------------

inline constexpr int kPaletteWidth = 500;
inline constexpr int kPaletteHeight = 291;
// Both picking areas are ringed in the frame colour 0x0F0F0F, which picks nothing.
inline constexpr Rect kPaletteField{18, 26, 204, 244};
inline constexpr Rect kPaletteSwatches{244, 26, 229, 164};
inline constexpr Rect kPalettePreview{245, 212, 58, 58};
inline constexpr Rect PaletteValueText(int index) {
    return Rect{336, 211 + 22 * index, 52, 18};
}
inline constexpr Rect kPaletteOk{404, 250, 69, 20};
inline constexpr Rect kPaletteClose{479, 4, 15, 15};

// --- DPI value dialog (429 x 140, "Frame_DPI.bmp") -------------------------

inline constexpr int kDpiDialogWidth = 429;
inline constexpr int kDpiDialogHeight = 140;
inline constexpr Rect kDpiDialogTitle{21, 5, 300, 18};
inline constexpr Rect kDpiDialogClose{405, 4, 15, 15};
// The two help lines under the title strip.
inline constexpr Rect DpiDialogLabel(int index) {
    return Rect{21, 34 + 20 * index, 390, 18};
}
// Slider track and slider; the slider rectangle is as wide as the track plus
// the thumb, so that its first and last steps sit on the track's ends.
inline constexpr Rect kDpiDialogTrack{27, 90, 280, 3};
inline constexpr Rect kDpiDialogSlider{21, 85, 292, 13};
// The typed value (a line edit) and the hidden value text at the same place.
inline constexpr Rect kDpiDialogEdit{326, 80, 83, 22};
inline constexpr Rect kDpiDialogOk{340, 112, 69, 20};
inline constexpr Rect kDpiDialogCancel{264, 112, 69, 20};

// --- Small dialogs --------------------------------------------------------

// Title strip height painted into the dialog frames (close button at the right).
inline constexpr int kDialogTitleHeight = 26;

}  // namespace velmaro::skin_layout
