#include "cli/folder_owner.h"

#include <optional>
#include <thread>

#include "model/text.h"
#include "storage/data_folder.h"

namespace velmaro::cli {

namespace {

std::string HolderName(const LockHolder& holder) {
    if (holder.Pid == 0)
        return "another process";
    return holder.Program + " (process " + std::to_string(holder.Pid) + ")";
}

}  // namespace

std::string CommandDataFolder(const GlobalOptions& options) {
    if (!options.DataDir.empty())
        return ToUtf8(DataFolderFromOption(options.DataDir));
    return ToUtf8(options.Simulate ? DefaultSimulatedDataFolder() : DefaultDataFolder());
}

FolderOwner TakeFolder(const std::string& folder, WindowRequest request) {
    FolderOwner owner;
    if (folder.empty())
        return owner;
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    // A window takes the folder early in its start and comes on the bus a
    // moment later: a command started beside it waits that long for it.
    std::optional<std::chrono::steady_clock::time_point> onBusBy;
    while (true) {
        owner.Lock = FolderLock::TryTake(folder, kToolProgram);
        // A folder whose lock file cannot be made (read-only) is run as it
        // always was: its saves fail and say so.
        if (owner.Lock.Held() || !owner.Lock.Error().empty())
            return owner;
        owner.Holder = FolderLock::ReadHolder(folder);
        if (owner.Holder.Program == kWindowProgram) {
            request.DataFolder = folder;
            owner.Answer = AskWindow(request);
            if (owner.Answer.Reached) {
                owner.What = FolderOwner::Kind::Window;
                return owner;
            }
            // The window may have ended meanwhile: then the folder is free.
            owner.Lock = FolderLock::TryTake(folder, kToolProgram);
            if (owner.Lock.Held())
                return owner;
            const auto now = std::chrono::steady_clock::now();
            if (!onBusBy)
                onBusBy = now + std::chrono::milliseconds(kReachTimeoutMs);
            if (owner.Answer.NameMissing && now < *onBusBy) {
                // Each ask is a new bus connection: not too often.
                std::this_thread::sleep_for(std::chrono::milliseconds(25));
                owner.WaitedForWindow = true;
                continue;
            }
            owner.What = FolderOwner::Kind::Busy;
            owner.Message = "velmaro is running on " + folder + " (process " +
                            std::to_string(owner.Holder.Pid) +
                            ") and could not be reached over the session bus (" +
                            owner.Answer.Problem +
                            "); nothing was done. Run the command in velmaro's desktop "
                            "session, or end velmaro first";
            return owner;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            owner.What = FolderOwner::Kind::Busy;
            owner.Message = "the data folder " + folder + " is in use by " +
                            HolderName(owner.Holder) + " and was not released within " +
                            std::to_string(kLockWait.count() / 1000) + " s; nothing was done";
            return owner;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace velmaro::cli
