#include "device/factory_reset.h"

#include "device/command_payloads.h"
#include "model/text.h"
#include "storage/profile_file.h"

namespace velmaro {

FactoryResetResult ResetMouseAndCurrentProfile(ProgramState& state, FileSystem& fs,
                                               CommandChannel& channel, RequestBuilder& requests) {
    FactoryResetResult result;
    if (channel.HasCommandInterface()) {
        result.HadInterface = true;
        result.Sent = channel.SendCommand(BuildRequest(requests, ComposeFactoryReset()));
    }

    const int slot = state.Settings.CurrentProfile();
    ProfileRecord& record = state.Profiles[slot];
    const std::u16string name = record.Setting(kProfileName);
    ResetProfileDefaults(record, slot, state.Language, state.Sensor.SensorId);
    record.Setting(kProfileName) = name;

    const std::u16string& path = state.Settings.ProfileSlotPath(slot);
    result.ProfilePath = ToUtf8(path);
    result.ProfileWritten = WriteProfileFile(state, slot, path, fs);
    return result;
}

}  // namespace velmaro
