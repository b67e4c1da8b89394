// The manager's recorder: the record button, the key events the capture
// delivers while it is down, and what the window shows meanwhile.
#include "app/macro/macro_manager_dlg.h"

#include <QLineEdit>

#include "ui/attention_dlg.h"
#include "ui/check_button.h"
#include "ui/combo_button.h"
#include "ui/static_text.h"

namespace velmaro {

namespace {
constexpr uint16_t kMessageSelectMacro = 234;
constexpr uint16_t kMessageRecordingFull = 235;
}  // namespace

void CMacroManagerDlg::ToggleRecording() {
    if (record_ == nullptr)
        return;
    if (record_->Checked())
        StartRecording();
    else if (recording_)
        StopRecording();
    InvalidateAll();
}

void CMacroManagerDlg::StartRecording() {
    MacroRecord* macro = CurrentMacro();
    if (macro == nullptr) {
        record_->SetChecked(false);
        Attention(kMessageSelectMacro);
        return;
    }
    hook_.StartHook(this);
    recording_ = true;
    recorder_.Start(*macro);
    actions_.SelectRow(-1);
    ScrollActions(0);
    EnableControls(false);
    ShowTypeHere();
}

void CMacroManagerDlg::StopRecording() {
    hook_.StopHook();
    recording_ = false;
    EnableControls(true);
    ShowTypeHere();
    SaveLibrary();
}

void CMacroManagerDlg::ShowTypeHere() {
    // Where the session lets the program read only its own windows' keys
    // (Wayland), the user is told to type into the manager.
    if (typeHere_ == nullptr)
        return;
    const bool shown = recording_ && !hook_.IsDesktopWide();
    if (typeHere_->Visible() != shown) {
        typeHere_->SetVisible(shown);
        InvalidateRect(typeHere_->GetRect());
    }
}

void CMacroManagerDlg::OnKeyEvent(uintptr_t wParam, intptr_t lParam) {
    if (!recording_)
        return;
    const HookedKey key = DecodeHookedKey(wParam, lParam);
    const bool delays = delays_ != nullptr && delays_->Checked();
    switch (recorder_.OnKey(CurrentMacro(), key.VirtualKey, key.Release, key.Time, delays)) {
        case RecordOutcome::Ignored:
            return;
        case RecordOutcome::Recorded:
            ShowLastActions();
            return;
        case RecordOutcome::LimitReached:
            // Keys typed while the message shows find the recording over.
            if (record_ != nullptr && record_->Checked()) {
                record_->SetChecked(false);
                hook_.StopHook();
                recording_ = false;
                EnableControls(true);
                ShowTypeHere();
                InvalidateAll();
                Attention(kMessageRecordingFull);
                SaveLibrary();
            }
            return;
    }
}

void CMacroManagerDlg::EnableControls(bool enabled) {
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (const auto& control : LayerControls(layer)) {
            // Labels never react; the record button and the insert drop-down
            // stay usable while recording.
            if (dynamic_cast<CStaticText*>(control.get()) != nullptr || control.get() == record_ ||
                control.get() == insert_)
                continue;
            control->SetDisabled(!enabled);
        }
    }
    if (repeatEdit_ != nullptr)
        repeatEdit_->setEnabled(enabled);
}

}  // namespace velmaro
