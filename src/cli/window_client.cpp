#include "cli/window_client.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace velmaro::cli {

namespace {

struct BusDeleter {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageDeleter {
    void operator()(sd_bus_message* m) const { sd_bus_message_unref(m); }
};
using Bus = std::unique_ptr<sd_bus, BusDeleter>;
using Message = std::unique_ptr<sd_bus_message, MessageDeleter>;

constexpr uint64_t Usec(int ms) {
    return uint64_t(ms) * 1000;
}

std::string ErrorText(const sd_bus_error& error, int r) {
    if (error.message != nullptr)
        return error.message;
    if (error.name != nullptr)
        return error.name;
    return std::strerror(-r);
}

bool ReadBytes(sd_bus_message* m, std::string& into) {
    const void* data = nullptr;
    size_t size = 0;
    if (sd_bus_message_read_array(m, 'y', &data, &size) < 0)
        return false;
    into.assign(static_cast<const char*>(data), size);
    return true;
}

}  // namespace

WindowAnswer AskWindow(const WindowRequest& request) {
    WindowAnswer answer;
    sd_bus* raw = nullptr;
    int r = sd_bus_open_user(&raw);
    Bus bus(raw);
    if (r < 0) {
        answer.Problem = "no session bus (" + std::string(std::strerror(-r)) + ")";
        return answer;
    }
    // The window shows it is there within the short time; only then may the
    // command itself take longer.
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    sd_bus_message* probe = nullptr;
    r = sd_bus_message_new_method_call(bus.get(), &probe, kBusName, kBusPath,
                                       "org.freedesktop.DBus.Peer", "Ping");
    Message ping(probe);
    // Only a running window may answer: the bus must not start one.
    if (r >= 0)
        r = sd_bus_message_set_auto_start(probe, 0);
    if (r >= 0)
        r = sd_bus_call(bus.get(), probe, Usec(kReachTimeoutMs), &error, &reply);
    Message pong(reply);
    if (r < 0) {
        answer.Problem = ErrorText(error, r);
        answer.NameMissing = sd_bus_error_has_name(&error, SD_BUS_ERROR_SERVICE_UNKNOWN) ||
                             sd_bus_error_has_name(&error, SD_BUS_ERROR_NAME_HAS_NO_OWNER);
        sd_bus_error_free(&error);
        return answer;
    }

    sd_bus_message* call = nullptr;
    r = sd_bus_message_new_method_call(bus.get(), &call, kBusName, kBusPath, kControlInterface,
                                       "Run");
    Message message(call);
    if (r >= 0)
        r = sd_bus_message_set_auto_start(call, 0);
    if (r >= 0)
        r = sd_bus_message_append(call, "ss", request.DataFolder.c_str(),
                                  request.WorkingFolder.c_str());
    if (r >= 0)
        r = sd_bus_message_open_container(call, 'a', "s");
    for (const std::string& arg : request.Args) {
        if (r >= 0)
            r = sd_bus_message_append_basic(call, 's', arg.c_str());
    }
    if (r >= 0)
        r = sd_bus_message_close_container(call);
    if (r >= 0)
        r = sd_bus_message_append_array(call, 'y', request.Input.data(), request.Input.size());
    if (r < 0) {
        answer.Problem = std::strerror(-r);
        return answer;
    }
    reply = nullptr;
    r = sd_bus_call(bus.get(), call, Usec(kCommandTimeoutMs), &error, &reply);
    Message result(reply);
    if (r < 0) {
        answer.Problem = ErrorText(error, r);
        sd_bus_error_free(&error);
        return answer;
    }
    int32_t status = 0;
    if (sd_bus_message_read_basic(reply, 'i', &status) < 0 || !ReadBytes(reply, answer.Out) ||
        !ReadBytes(reply, answer.Err)) {
        answer.Problem = "its answer could not be read";
        return answer;
    }
    answer.Reached = true;
    answer.Status = status;
    return answer;
}

}  // namespace velmaro::cli
