#include "device/settings_writer.h"

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "model/button_functions.h"

namespace velmaro {

namespace {

constexpr size_t kKeyValueBytes = 3;

ButtonBlock BlockOf(const std::array<CommandPayload, kButtonCount>& buttons) {
    ButtonBlock block{};
    for (size_t d = 0; d < buttons.size(); ++d) {
        // Payload byte 0 is the device index; the KeyValue follows.
        std::copy_n(buttons[d].Data.begin() + 1, kKeyValueBytes,
                    block.begin() + static_cast<std::ptrdiff_t>(d * kKeyValueBytes));
    }
    return block;
}

// Stores the pending payload as last sent; true when the mouse would be told
// something new.
bool Replace(CommandPayload& last, const CommandPayload& pending) {
    const bool differs = !(last == pending);
    last = pending;
    return differs;
}

}  // namespace

SettingsWriter::SettingsWriter(ProgramState& state, RequestBuilder& requests,
                               CommandChannel& channel, const MacroLookup& macros, WriterUi& ui,
                               TimerHost& timers, Pacer& pacer)
    : state_(state),
      requests_(requests),
      channel_(channel),
      macros_(macros),
      ui_(ui),
      timers_(timers),
      pacer_(pacer) {}

void SettingsWriter::SetDirty(unsigned groups) {
    dirty_ |= groups & (kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup);
}

void SettingsWriter::RestartApplyTimer() {
    timers_.StartTimer(kTimerApply, kApplyDelayMs);
}

void SettingsWriter::MarkChanged(unsigned groups) {
    SetDirty(groups);
    RestartApplyTimer();
}

void SettingsWriter::MarkAfterScan() {
    if (std::exchange(send_failed_, false))
        ForgetLastSent();
    SetDirty(kGroupButtons | kGroupMain | kGroupPower);
    suppress_progress_once_ = true;
    RestartApplyTimer();
}

bool SettingsWriter::HandleTimer(int id) {
    if (id == kTimerApply) {
        OnApplyTimer();
        return true;
    }
    if (id == kTimerSave) {
        OnSaveTimer();
        return true;
    }
    return false;
}

void SettingsWriter::OnApplyTimer() {
    timers_.StopTimer(kTimerApply);
    ApplyPending();
}

void SettingsWriter::OnSaveTimer() {
    timers_.StopTimer(kTimerSave);
    save_scheduled_ = false;
    if (save_)
        save_();
}

bool SettingsWriter::FlushOnExit() {
    if (!save_scheduled_)
        return false;
    OnSaveTimer();
    return true;
}

void SettingsWriter::ApplyPending() {
    // The progress dialog runs its own event loop, in which timer 30 can fire
    // again; a nested apply would clear marks and the scan's progress
    // suppression under the outer one, so it waits for its turn instead.
    if (applying_) {
        RestartApplyTimer();
        return;
    }
    applying_ = true;

    sent_any_ = false;
    SyncMacroButtons(std::exchange(refresh_macros_, false));
    if (ButtonsDirty())
        WriteButtons();
    if (MainDirty())
        WriteMainSettings();
    if (PowerDirty())
        WritePowerSaving();
    if (WakeupDirty())
        WriteMotionWakeup();
    dirty_ = 0;
    UploadMacroImages(true);

    // Taken before the dialog opens: a scan made while it shows asks for an
    // apply of its own, whose progress must stay suppressed too.
    const bool suppress = std::exchange(suppress_progress_once_, false);
    if (sent_any_ && !suppress) {
        if (status_poll_reset_)
            status_poll_reset_();
        ui_.ShowProgress(state_.Language.Text(kTextProgressWriting));
    }
    timers_.StartTimer(kTimerSave, kSaveDelayMs);
    save_scheduled_ = true;
    ui_.RefreshControls();

    applying_ = false;
}

void SettingsWriter::RebuildLastSent() {
    forgotten_ = 0;
    images_forgotten_ = false;
    const ProfileRecord& r = state_.CurrentRecord();
    last_.Buttons = BlockOf(ComposeButtons(r));
    last_.PollingRate = ComposePollingRate(r);
    last_.LiftOff = ComposeLiftOff(r);
    last_.Debounce = ComposeDebounce(r);
    last_.DpiLevels = ComposeDpiLevels(r, state_.Sensor);
    last_.DpiColors = ComposeDpiColors(r);
    last_.Lighting = ComposeLighting(r);
    last_.PowerSaving = ComposePowerSaving(r);
    last_.MotionWakeup = ComposeMotionWakeup(r);
    SyncMacroButtons(std::exchange(refresh_macros_, false));
    UploadMacroImages(false);
}

void SettingsWriter::ForgetLastSent() {
    forgotten_ = kGroupButtons | kGroupMain | kGroupPower | kGroupWakeup;
    images_forgotten_ = true;
}

bool SettingsWriter::TakeForgotten(unsigned group) {
    const bool forgotten = (forgotten_ & group) != 0;
    forgotten_ &= ~group;
    return forgotten;
}

void SettingsWriter::Send(const CommandPayload& payload) {
    // Fire and forget; but a report the mouse did not get (the cable pulled
    // mid-apply) is remembered, so the apply after the next scan sends
    // everything again.
    if (!channel_.SendCommand(BuildRequest(requests_, payload)))
        send_failed_ = true;
    sent_any_ = true;
}

void SettingsWriter::WriteButtons() {
    if (!channel_.HasCommandInterface())
        return;
    const auto buttons = ComposeButtons(state_.CurrentRecord());
    const ButtonBlock pending = BlockOf(buttons);
    const bool all = TakeForgotten(kGroupButtons);
    std::array<bool, kButtonCount> changed{};
    for (size_t i = 0; i < kButtonBlockSize; ++i) {
        if (all || pending[i] != last_.Buttons[i])
            changed[i / kKeyValueBytes] = true;
    }
    last_.Buttons = pending;
    for (size_t d = 0; d < buttons.size(); ++d) {
        if (changed[d])
            Send(buttons[d]);
        pacer_.Pause(kWritePauseMs);
    }
}

void SettingsWriter::WriteMainSettings() {
    if (!channel_.HasCommandInterface())
        return;
    const ProfileRecord& r = state_.CurrentRecord();
    const CommandPayload polling = ComposePollingRate(r);
    const CommandPayload lift_off = ComposeLiftOff(r);
    const CommandPayload debounce = ComposeDebounce(r);
    const CommandPayload dpi = ComposeDpiLevels(r, state_.Sensor);
    const CommandPayload colors = ComposeDpiColors(r);
    const CommandPayload lighting = ComposeLighting(r);
    const bool all = TakeForgotten(kGroupMain);
    const bool polling_changed = Replace(last_.PollingRate, polling) || all;
    const bool lift_off_changed = Replace(last_.LiftOff, lift_off) || all;
    const bool debounce_changed = Replace(last_.Debounce, debounce) || all;
    const bool dpi_changed = Replace(last_.DpiLevels, dpi) || all;
    const bool colors_changed = Replace(last_.DpiColors, colors) || all;
    const bool lighting_changed = Replace(last_.Lighting, lighting) || all;

    const std::pair<bool, const CommandPayload*> in_order[] = {
        {dpi_changed, &dpi},           {colors_changed, &colors},     {polling_changed, &polling},
        {lift_off_changed, &lift_off}, {debounce_changed, &debounce}, {lighting_changed, &lighting},
    };
    for (const auto& [changed, payload] : in_order) {
        if (!changed)
            continue;
        Send(*payload);
        pacer_.Pause(kWritePauseMs);
    }
}

void SettingsWriter::WritePowerSaving() {
    if (!channel_.HasCommandInterface())
        return;
    const CommandPayload pending = ComposePowerSaving(state_.CurrentRecord());
    const bool all = TakeForgotten(kGroupPower);
    if (Replace(last_.PowerSaving, pending) || all) {
        Send(pending);
        pacer_.Pause(kWritePauseMs);
    }
}

void SettingsWriter::WriteMotionWakeup() {
    if (!channel_.HasCommandInterface())
        return;
    const CommandPayload pending = ComposeMotionWakeup(state_.CurrentRecord());
    const bool all = TakeForgotten(kGroupWakeup);
    if (Replace(last_.MotionWakeup, pending) || all) {
        Send(pending);
        pacer_.Pause(kWritePauseMs);
    }
}

void SettingsWriter::SyncMacroButtons(bool refresh) {
    ProfileRecord& r = state_.CurrentRecord();
    // Library location to slot, for this synchronisation only. Six buttons at
    // most, so a short list does.
    std::vector<std::pair<uint32_t, uint8_t>> slots;
    uint8_t next_slot = 1;
    auto slot_for = [&](uint32_t location) {
        auto it = std::find_if(slots.begin(), slots.end(),
                               [&](const auto& s) { return s.first == location; });
        if (it == slots.end())
            it = slots.insert(slots.end(), {location, next_slot++});
        return it->second;
    };
    unfound_.clear();
    for (size_t n = 0; n < r.Keys.size(); ++n) {
        KeyRecord& key = r.Keys[n];
        if (key.Value[0] != kCategoryMacro)
            continue;
        std::optional<FoundMacro> found;
        if (key.MacroKeyIndex != 0)
            found = macros_.FindByKeyIndex(key.MacroKeyIndex);
        if ((!found || found->Macro == nullptr) && !library_complete_) {
            // Its own slot, above every library location: the button's copy
            // is what the mouse plays.
            const uint8_t slot = slot_for(0x80000000u + static_cast<uint32_t>(n));
            key.Value[1] = static_cast<uint8_t>((key.Value[1] & 0xF0) | (slot & 0x0F));
            unfound_.push_back(static_cast<int>(n));
            continue;
        }
        if (!found || found->Macro == nullptr) {
            key.KeyName = state_.Language.Text(kTextNoFunction);
            key.Value = kNoFunction;
            continue;
        }
        const uint8_t slot = slot_for(found->Location);

        const MacroRecord& library = *found->Macro;
        if (refresh) {
            key.Macro.CopyMacroContent(library);
            key.Macro.MacroKeyIndex = library.MacroKeyIndex;
            ui_.MarkProfileChanged();
        }
        constexpr uint8_t kRepeatedPlay = 2;
        key.Value = {
            kCategoryMacro, static_cast<uint8_t>((library.MacroKeyLoopType << 4) | (slot & 0x0F)),
            library.MacroKeyLoopType == kRepeatedPlay ? library.MacroKeyLoopNum : uint8_t{0}};
    }
}

void SettingsWriter::UploadMacroImages(bool send) {
    // With the mouse away nothing is sent, and the previous images stay as
    // they were, so that a macro changed meanwhile goes out once it is back
    // (the scan's apply sends its button again, which must find the image).
    const bool reachable = channel_.HasCommandInterface();
    // Buttons that share a slot share its image: it goes out once.
    const bool all = send && reachable && std::exchange(images_forgotten_, false);
    std::array<bool, kMacroSlotCount> forced{};
    unsent_.clear();
    const auto& keys = state_.CurrentRecord().Keys;
    for (size_t n = 0; n < keys.size(); ++n) {
        const KeyRecord& key = keys[n];
        if (key.Value[0] != kCategoryMacro)
            continue;
        const auto slot = static_cast<uint8_t>(key.Value[1] & 0x0F);
        const MacroImage image = BuildMacroImage(key.Macro, slot);
        MacroImage& previous = previous_images_[slot];
        // The mouse can never hold a macro too long to frame: it is neither
        // taken as held nor as sent, and the button is reported.
        const bool framable = key.Macro.FitsMouse() && MacroChunksFor(image, slot).has_value();
        if (!framable)
            unsent_.push_back(static_cast<int>(n));
        if (!send) {
            if (framable)
                previous = image;
            continue;
        }
        if (reachable && framable) {
            const bool differs = (all && !std::exchange(forced[slot], true)) || image != previous;
            previous = image;
            if (differs)
                SendMacroImage(image, slot);
        }
        pacer_.Pause(kWritePauseMs);
    }
}

std::optional<std::vector<CommandPayload>> SettingsWriter::MacroChunksFor(const MacroImage& image,
                                                                          uint8_t slot) {
    // The mouse is told the copy's action count; its entries follow the header.
    const size_t announced = size_t{image[3]} * kMacroEntryBytes;
    const size_t available = kMacroImageSize - kMacroImageHeader;
    const std::span<const uint8_t> data(image.data() + kMacroImageHeader,
                                        std::min(announced, available));
    return ComposeMacroChunks(slot, data);
}

void SettingsWriter::SendMacroImage(const MacroImage& image, uint8_t slot) {
    const auto chunks = MacroChunksFor(image, slot);
    if (!chunks)
        return;
    for (const CommandPayload& chunk : *chunks) {
        Send(chunk);
        pacer_.Pause(kWritePauseMs);
    }
}

}  // namespace velmaro
