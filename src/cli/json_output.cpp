#include "cli/json_output.h"

namespace velmaro::cli {

Json ErrorJson(int status, std::string_view message) {
    return Json{{"schema", kJsonSchema}, {"error", {{"code", status}, {"message", message}}}};
}

Json RunResultJson(const CommandContext& c, std::string_view command, int status, bool mouse) {
    if (status != kExitOk) {
        const auto& messages = c.Out.Messages;
        return ErrorJson(status, messages.empty() ? std::string_view("failed")
                                                  : std::string_view(messages.back()));
    }
    if (!c.Result.is_null())
        return c.Result;
    return Json{
        {"schema", kJsonSchema},  {"command", command},          {"changed", c.Changed},
        {"adjusted", c.Adjusted}, {"sent", c.Run.SentReports()}, {"saved", c.Run.WrittenFiles()},
        {"mouse", mouse}};
}

}  // namespace velmaro::cli
