#include "ui/radio_button.h"

namespace velmaro {

namespace {

struct GroupEntry {
    uint32_t id;
    uint32_t bit;
    uint32_t mask;
};

constexpr uint32_t kGroupA = 0x7F;      // bits 0..6
constexpr uint32_t kGroupB = 0x180;     // bits 7, 8
constexpr uint32_t kGroupC = 0x600;     // bits 9, 10
constexpr uint32_t kGroupD = 0x1800;    // bits 11, 12
constexpr uint32_t kGroupF = 0xE000;    // bits 13..15
constexpr uint32_t kGroupE = 0xF0000;   // bits 16..19
constexpr uint32_t kGroupG = 0x300000;  // bits 20, 21

constexpr GroupEntry kGroups[] = {
    {0x7D6, 0, kGroupA},  {0x820, 1, kGroupA},  {0x821, 2, kGroupA},  {0x822, 3, kGroupA},
    {0x823, 4, kGroupA},  {0x824, 5, kGroupA},  {0x825, 6, kGroupA},  {0x7D9, 7, kGroupB},
    {0x7DA, 8, kGroupB},  {0xDAD, 9, kGroupC},  {0xDAE, 10, kGroupC}, {0xCA8, 11, kGroupD},
    {0xCB2, 12, kGroupD}, {0x7EF, 13, kGroupF}, {0x7F0, 14, kGroupF}, {0x7F1, 15, kGroupF},
    {0xBD6, 16, kGroupE}, {0xBD7, 17, kGroupE}, {0xBD8, 18, kGroupE}, {0xBD9, 19, kGroupE},
    {0xDB6, 20, kGroupG}, {0xDB7, 21, kGroupG},
};

}  // namespace

std::optional<RadioGroupBit> RadioGroupOf(uint32_t id) {
    for (const GroupEntry& e : kGroups) {
        if (e.id == id) {
            return RadioGroupBit{1u << e.bit, e.mask};
        }
    }
    return std::nullopt;
}

CRadioButton::CRadioButton(ControlHost* host, uint32_t id, const Rect& rect, const QString& text,
                           bool pageVisible, bool visible, bool disabled)
    : CToggleControl(host, id, rect, text, pageVisible, visible, disabled) {}

void CRadioButton::SetImages(const QString& normal, const QString& hover, const QString& selected) {
    SetNormalImage(normal);
    SetHoverImage(hover);
    SetSelectedImage(selected);
}

bool CRadioButton::Selected() const {
    const auto group = RadioGroupOf(id_);
    return group && (Selection().RadioGroupBits & group->Bit) != 0;
}

void CRadioButton::Draw(QPainter& dc, const Rect&) {
    const int look = Look();
    if (images_.HasStrip()) {
        images_.DrawFrame(dc, look, rect_);
        return;
    }
    if (images_.LookSet(LookNormal)) {
        images_.DrawLook(dc, look, rect_);
    }
}

void CRadioButton::OnClicked() {
    if (const auto group = RadioGroupOf(id_)) {
        uint32_t& bits = Selection().RadioGroupBits;
        bits = (bits & ~group->GroupMask) | group->Bit;
    }
}

}  // namespace velmaro
