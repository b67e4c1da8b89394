// Sends the current profile to the mouse, only the commands whose payload
// differs from what the mouse is believed to hold, and schedules saving.
//
// Pages change the profile and mark the groups they touched; 20 ms after the
// last mark (timer 30) one apply runs the marked group writers, brings the
// macro buttons up to date with the library and uploads the macro images that
// changed. Each write is followed by a 60 ms pause, the only pacing towards
// the mouse. Ten seconds after an apply (timer 70) the owner saves the files.
//
// Everything here runs on the user-interface thread; whoever handles the
// mouse's own DPI or report-rate changes calls RebuildLastSent there too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "device/command_channel.h"
#include "device/command_payloads.h"
#include "device/feature_report.h"
#include "device/macro_lookup.h"
#include "device/writer_ui.h"
#include "macro/macro_image.h"
#include "model/program_state.h"
#include "model/timer_host.h"

namespace velmaro {

// Groups of settings a page marks as changed; combine with |.
enum WriterGroup : unsigned {
    kGroupButtons = 1u << 0,  // button functions
    kGroupMain = 1u << 1,     // DPI levels and colours, polling, lift-off, debounce, lighting
    kGroupPower = 1u << 2,    // sleep time and move-lighting flag
    kGroupWakeup = 1u << 3,   // motion wake-up
};

inline constexpr int kApplyDelayMs = 20;
inline constexpr int kSaveDelayMs = 10000;
inline constexpr int kWritePauseMs = 60;
inline constexpr uint16_t kTextProgressWriting = 146;

// Six KeyValues in device order, 3 bytes each.
inline constexpr size_t kButtonBlockSize = kButtonCount * 3;
using ButtonBlock = std::array<uint8_t, kButtonBlockSize>;

// What the mouse is believed to hold. Lives as long as the writer, whatever
// profile is current.
struct LastSentPayloads {
    ButtonBlock Buttons{};
    CommandPayload DpiLevels;
    CommandPayload DpiColors;
    CommandPayload PollingRate;
    CommandPayload LiftOff;
    CommandPayload Debounce;
    CommandPayload Lighting;
    CommandPayload PowerSaving;
    CommandPayload MotionWakeup;
};

class SettingsWriter {
  public:
    // `requests` carries the sequence counter shared with the status query and
    // the factory reset. Every reference must outlive the writer.
    SettingsWriter(ProgramState& state, RequestBuilder& requests, CommandChannel& channel,
                   const MacroLookup& macros, WriterUi& ui, TimerHost& timers, Pacer& pacer);

    // Run when the delayed save is due: the owner saves the settings file and
    // all profile files.
    void SetSaveHandler(std::function<void()> save) { save_ = std::move(save); }
    // Run before the progress dialog shows: the status poll starts counting anew.
    void SetStatusPollReset(std::function<void()> reset) { status_poll_reset_ = std::move(reset); }

    // Sets group flags without touching the apply timer (a slider drag marks
    // while it moves and asks for the apply when it ends).
    void SetDirty(unsigned groups);
    // Restarts the apply timer: rapid changes collapse into one apply.
    void RestartApplyTimer();
    // SetDirty, then RestartApplyTimer.
    void MarkChanged(unsigned groups);
    // After every device scan: buttons, main and power settings go out again
    // 20 ms later without a progress dialog. Motion wake-up is not included.
    void MarkAfterScan();
    // The next macro synchronisation copies every macro button's library macro
    // into the button (set when the macro manager opens).
    void RequestMacroRefresh() { refresh_macros_ = true; }

    // Timer dispatch for the owner: true when `id` is the apply or save timer.
    bool HandleTimer(int id);
    // Timer 30: stops itself, then ApplyPending.
    void OnApplyTimer();
    // Timer 70: stops itself, clears SaveScheduled and saves.
    void OnSaveTimer();
    // At program exit: saves at once when a save is scheduled; true if it did.
    bool FlushOnExit();

    // Synchronises the macro buttons, runs the marked group writers, clears
    // the marks, uploads changed macro images, shows progress when something
    // went out (unless a scan asked otherwise), schedules the save and
    // refreshes the pages. Called while an apply is already running (from
    // inside the progress dialog) it only restarts the apply timer.
    void ApplyPending();

    // Takes the mouse to hold the current profile: every payload and macro
    // image is composed and stored as last sent; nothing is sent.
    void RebuildLastSent();

    // Takes the mouse to hold nothing: each group writer, the next time it
    // runs with a command interface open, sends every command of its group,
    // and the next upload sends every macro image. RebuildLastSent undoes it.
    void ForgetLastSent();

    // Gives each distinct library macro among the current profile's buttons
    // a slot 1, 2, ... in button order and fills in the macro KeyValues;
    // buttons whose macro is gone are unassigned. With `refresh` every macro
    // button's copy is refreshed from the library. While the library is not
    // known to be complete, a button whose macro it lacks is left as it is
    // (name, play mode, own copy, which the mouse gets) and gets a slot of
    // its own: a damaged library is not the user deleting macros.
    void SyncMacroButtons(bool refresh);

    // Whether the library loaded completely (default: yes).
    void SetLibraryComplete(bool complete) { library_complete_ = complete; }
    bool LibraryComplete() const { return library_complete_; }
    // Buttons (0..5) of the current profile the last synchronisation left as
    // they were because the incomplete library lacks their macro.
    const std::vector<int>& UnfoundMacroButtons() const { return unfound_; }

    // Builds each macro button's image and compares it with the slot's
    // previous image. With `send` a changed image goes out in chunks (60 ms
    // after each chunk, and 60 ms after each macro button); without it the
    // images are only recorded.
    void UploadMacroImages(bool send);
    // Buttons (0..5) of the current profile whose macro the last upload could
    // not send: more key actions than the mouse takes in its 15 chunks. Their
    // images are not taken as held by the mouse.
    const std::vector<int>& UnsentMacroButtons() const { return unsent_; }

    bool ButtonsDirty() const { return (dirty_ & kGroupButtons) != 0; }
    bool MainDirty() const { return (dirty_ & kGroupMain) != 0; }
    bool PowerDirty() const { return (dirty_ & kGroupPower) != 0; }
    bool WakeupDirty() const { return (dirty_ & kGroupWakeup) != 0; }
    bool SentAny() const { return sent_any_; }
    bool SuppressProgressOnce() const { return suppress_progress_once_; }
    bool SaveScheduled() const { return save_scheduled_; }
    bool MacroRefreshRequested() const { return refresh_macros_; }

    const LastSentPayloads& LastSent() const { return last_; }
    // The image last built for slot 0..15.
    const MacroImage& PreviousImage(uint8_t slot) const { return previous_images_[slot & 0x0F]; }

  private:
    void WriteButtons();
    void WriteMainSettings();
    void WritePowerSaving();
    void WriteMotionWakeup();
    void SendMacroImage(const MacroImage& image, uint8_t slot);
    // The chunks that carry an image; none when it is too long to frame.
    static std::optional<std::vector<CommandPayload>> MacroChunksFor(const MacroImage& image,
                                                                     uint8_t slot);
    // True (once) when the group's last-sent payloads were forgotten.
    bool TakeForgotten(unsigned group);
    // Builds the request, sends it and counts it as sent, whatever the result.
    void Send(const CommandPayload& payload);

    ProgramState& state_;
    RequestBuilder& requests_;
    CommandChannel& channel_;
    const MacroLookup& macros_;
    WriterUi& ui_;
    TimerHost& timers_;
    Pacer& pacer_;
    std::function<void()> save_;
    std::function<void()> status_poll_reset_;

    LastSentPayloads last_;
    std::array<MacroImage, kMacroSlotCount> previous_images_{};
    unsigned dirty_ = 0;
    bool sent_any_ = false;
    bool suppress_progress_once_ = false;
    bool save_scheduled_ = false;
    // A send failed since the last scan.
    bool send_failed_ = false;
    bool refresh_macros_ = false;
    bool applying_ = false;
    bool library_complete_ = true;
    std::vector<int> unfound_;
    std::vector<int> unsent_;
    // Groups (and the macro images) whose last-sent payloads are not known.
    unsigned forgotten_ = 0;
    bool images_forgotten_ = false;
};

}  // namespace velmaro
