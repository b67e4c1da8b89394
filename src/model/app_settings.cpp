#include "model/app_settings.h"

#include <algorithm>

#include "model/text.h"

namespace velmaro {

namespace {

int ClampSlot(int32_t n) {
    return std::clamp<int32_t>(n, 0, kProfileSlots - 1);
}

}  // namespace

void AppSettings::SetDefaultSettings(const std::u16string& data_folder) {
    static constexpr const char16_t* kNames[kProfileSlot0Url] = {
        u"Sensor",           u"PreST",
        u"Mac_ID",           u"DataChange",
        u"CurrentProfile",   u"ProfileShowCount",
        u"ProfileShowList0", u"ProfileShowList1",
        u"ProfileShowList2", u"ProfileShowList3",
        u"ProfileShowList4"};
    static constexpr const char16_t* kValues[kProfileSlot0Url] = {
        u"0x3325", u"0xCCDA", u"0xFFFFFFFF", u"0x1234", u"0", u"3", u"0", u"1", u"2", u"3", u"4"};
    for (int i = 0; i < kProfileSlot0Url; ++i)
        Pairs[i] = {kNames[i], kValues[i]};
    for (int s = 0; s < kProfileSlots; ++s) {
        const std::u16string n = FormatDecimal(s);
        Pairs[kProfileSlot0Url + s] = {u"ProfileSlot" + n + u"URL",
                                       data_folder + u"config/default" + n + u".psf"};
    }
}

std::u16string AppSettings::GetSetting(int n, int part) const {
    if (n < 0 || n >= kAppSettingCount)
        return {};
    return part == 0 ? Pairs[n].Name : Pairs[n].Value;
}

int AppSettings::CurrentProfile() const {
    return ClampSlot(ParseDecimal(Value(kCurrentProfile)));
}

int AppSettings::ProfileShowCount() const {
    return std::clamp<int32_t>(ParseDecimal(Value(kProfileShowCount)), 1, kProfileSlots);
}

int AppSettings::ProfileShowList(int i) const {
    if (i < 0 || i >= kProfileSlots)
        return 0;
    return ClampSlot(ParseDecimal(Pairs[kProfileShowList0 + i].Value));
}

uint16_t AppSettings::Sensor() const {
    return static_cast<uint16_t>(ParseHex(Value(kSensor)));
}

uint16_t AppSettings::PreST() const {
    return static_cast<uint16_t>(ParseHex(Value(kPreST)));
}

const std::u16string& AppSettings::ProfileSlotPath(int slot) const {
    return Pairs[kProfileSlot0Url + ClampSlot(slot)].Value;
}

void AppSettings::SetCurrentProfile(int slot) {
    Value(kCurrentProfile) = FormatDecimal(slot);
}

void AppSettings::SetProfileShowCount(int count) {
    Value(kProfileShowCount) = FormatDecimal(count);
}

void AppSettings::SetPreST(uint16_t complement) {
    Value(kPreST) = FormatHexSpacePadded(complement);
}

}  // namespace velmaro
