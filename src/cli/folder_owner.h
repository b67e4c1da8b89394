// Who runs a command: the data folder has one owner at a time. velmaroctl
// takes the folder's lock for the whole command; while velmaro (the window)
// holds it, the command goes to the window over the session bus instead;
// while another velmaroctl holds it, this one waits for its turn.
#pragma once

#include <chrono>
#include <string>

#include "cli/session.h"
#include "cli/window_client.h"
#include "platform/folder_lock.h"

namespace velmaro::cli {

// The program name the window writes into the lock file.
inline constexpr const char* kWindowProgram = "velmaro";
inline constexpr const char* kToolProgram = "velmaroctl";
// How long a command waits for another velmaroctl to finish.
inline constexpr std::chrono::milliseconds kLockWait{10000};

// The data folder a command works on, with a trailing "/"; empty when there
// is none (no home folder).
std::string CommandDataFolder(const GlobalOptions& options);

struct FolderOwner {
    enum class Kind {
        Own,     // this process holds the lock (or there is no folder to lock)
        Window,  // the window ran the command; Answer holds what it said
        Busy,    // nobody could be reached or the lock was not released
    };
    Kind What = Kind::Own;
    FolderLock Lock;
    LockHolder Holder;
    WindowAnswer Answer;
    std::string Message;  // for Busy
    // The window held the folder before it was on the bus (it was
    // starting), and the command waited for it.
    bool WaitedForWindow = false;
};

// Takes the folder's lock, or hands the request to the window that holds
// it, or waits up to kLockWait for another velmaroctl.
FolderOwner TakeFolder(const std::string& folder, WindowRequest request);

}  // namespace velmaro::cli
