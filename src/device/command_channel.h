// Where setting writes go: the mouse's command interface, the cable's when it
// is open, otherwise the receiver's. The device link implements it; tests and
// the command-line tool's dry runs use the recorder.
#pragma once

#include <vector>

#include "device/feature_report.h"

namespace velmaro {

class CommandChannel {
  public:
    virtual ~CommandChannel() = default;
    // A command interface (cable or receiver) is open.
    virtual bool HasCommandInterface() const = 0;
    // Sends the 33 bytes with a set-feature call on the command interface.
    // False when none is open or the call failed; writers do not retry.
    virtual bool SendCommand(const FeatureReport& report) = 0;
};

// Logs every report it is handed, open or not, so a test also sees a send
// attempted while disconnected.
class RecordingCommandChannel : public CommandChannel {
  public:
    bool HasCommandInterface() const override { return open; }
    bool SendCommand(const FeatureReport& report) override {
        sent.push_back(report);
        return open && send_result;
    }

    bool open = true;
    bool send_result = true;
    std::vector<FeatureReport> sent;
};

}  // namespace velmaro
