// What the core asks of the user interface beyond the settings writer's
// needs: attention messages, the on-screen display of the mouse's own DPI and
// report-rate changes, the battery display, a sensor change and the end of
// the program when the mouse is gone. The main window implements it; the
// command-line tool uses the null one, tests the recorder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/writer_ui.h"
#include "model/text.h"

namespace velmaro {

// The three lines of the on-screen display: "DPI-3", "800", "500Hz".
struct OsdTexts {
    std::u16string Level;
    std::u16string Dpi;
    std::u16string Rate;

    friend bool operator==(const OsdTexts&, const OsdTexts&) = default;
};

// What the battery gauge (3406) and the percentage text (3405) show.
struct BatteryDisplay {
    uint8_t Level = 0;         // percent, 0..100
    int ChargeState = 0;       // 0 on battery, 1 charging, 2 full
    int AnimationStep = 0;     // 25, 50, 75, 100, 25, ...
    std::u16string Percent;    // "57%"
    bool PercentShown = true;  // hidden while charging

    friend bool operator==(const BatteryDisplay&, const BatteryDisplay&) = default;
};

class CoreUi : public WriterUi {
  public:
    // The modeless attention dialog with two LanguageTable entries.
    virtual void ShowAttention(uint16_t title_entry, uint16_t message_entry) = 0;
    // The on-screen display opens with these texts...
    virtual void ShowOsd(const OsdTexts& texts) = 0;
    // ...takes new ones while it is open...
    virtual void UpdateOsd(const OsdTexts& texts) = 0;
    // ...and closes when its countdown ran out.
    virtual void CloseOsd() = 0;
    virtual void UpdateBattery(const BatteryDisplay& battery) = 0;
    // The sensor changed: the lift-off tab follows the extended-sensor flag,
    // the DPI sliders take the new step count, and everything is repainted.
    virtual void SensorChanged(bool extended_sensor) = 0;
    // The last interface of the mouse is gone: hide the window, close the
    // open dialogs and end the program.
    virtual void DeviceGone() = 0;
};

class NullCoreUi : public CoreUi {
  public:
    void RefreshControls() override {}
    void ShowProgress(const std::u16string&) override {}
    void MarkProfileChanged() override {}
    void ShowAttention(uint16_t, uint16_t) override {}
    void ShowOsd(const OsdTexts&) override {}
    void UpdateOsd(const OsdTexts&) override {}
    void CloseOsd() override {}
    void UpdateBattery(const BatteryDisplay&) override {}
    void SensorChanged(bool) override {}
    void DeviceGone() override {}
};

// Keeps every call in order as a short line ("refresh", "attention 150 155",
// "osd-show DPI-2|800|250Hz", ...) and the details of the last ones.
class RecordingCoreUi : public CoreUi {
  public:
    void RefreshControls() override { log.push_back("refresh"); }
    void ShowProgress(const std::u16string& text) override {
        log.push_back("progress " + ToUtf8(text));
    }
    void MarkProfileChanged() override { log.push_back("profile-changed"); }
    void ShowAttention(uint16_t title_entry, uint16_t message_entry) override {
        log.push_back("attention " + std::to_string(title_entry) + " " +
                      std::to_string(message_entry));
    }
    void ShowOsd(const OsdTexts& texts) override { log.push_back("osd-show " + Line(texts)); }
    void UpdateOsd(const OsdTexts& texts) override { log.push_back("osd-update " + Line(texts)); }
    void CloseOsd() override { log.push_back("osd-close"); }
    void UpdateBattery(const BatteryDisplay& battery) override {
        batteries.push_back(battery);
        log.push_back("battery");
    }
    void SensorChanged(bool extended_sensor) override {
        log.push_back(extended_sensor ? "sensor extended" : "sensor plain");
    }
    void DeviceGone() override { log.push_back("device-gone"); }

    // How many log lines are exactly `line`.
    int Count(const std::string& line) const {
        int n = 0;
        for (const std::string& l : log)
            n += l == line ? 1 : 0;
        return n;
    }
    // The log without battery updates (they come every status tick).
    std::vector<std::string> WithoutBattery() const {
        std::vector<std::string> out;
        for (const std::string& l : log) {
            if (l != "battery")
                out.push_back(l);
        }
        return out;
    }
    void Clear() {
        log.clear();
        batteries.clear();
    }

    std::vector<std::string> log;
    std::vector<BatteryDisplay> batteries;

  private:
    static std::string Line(const OsdTexts& t) {
        return ToUtf8(t.Level) + "|" + ToUtf8(t.Dpi) + "|" + ToUtf8(t.Rate);
    }
};

}  // namespace velmaro
