#include "device/hid/hid_backend.h"

namespace velmaro {

std::string_view HidErrorKindName(HidErrorKind kind) {
    switch (kind) {
        case HidErrorKind::kNone:
            return "no error";
        case HidErrorKind::kAccessDenied:
            return "access denied";
        case HidErrorKind::kNotFound:
            return "not found";
        case HidErrorKind::kDisconnected:
            return "disconnected";
        case HidErrorKind::kCancelled:
            return "cancelled";
        case HidErrorKind::kShortTransfer:
            return "short transfer";
        case HidErrorKind::kBadArgument:
            return "bad argument";
        case HidErrorKind::kIo:
            return "input/output error";
    }
    return "unknown error";
}

std::string HidInterfaceInfo::InterfaceId() const {
    return path + "#" + std::to_string(collection);
}

}  // namespace velmaro
