// A command channel that can also read a feature report back: the status
// query sends its request and reads the answer on the same interface.
#pragma once

#include "device/command_channel.h"
#include "device/feature_report.h"

namespace velmaro {

class FeatureChannel : public CommandChannel {
  public:
    // Reads a feature report from the interface SendCommand would use. On
    // entry report.Bytes[0] holds the report id. False when none is open or
    // the read failed; the buffer's content is then unspecified.
    virtual bool ReadFeature(FeatureReport& report) = 0;
};

}  // namespace velmaro
