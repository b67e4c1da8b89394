// What the core's tests share: a memory disk that logs its reads and writes,
// the fake HID backend with the mouse's two roles, and a core built on them.
#pragma once

#include "device/app_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "device/fake_hid_backend.h"
#include "macro/memory_file_system.h"
#include "model/profile_edits.h"
#include "model/text.h"
#include "model/text_entries.h"
#include "storage/english_texts.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"

namespace velmaro::app_core_test {

using testing::FakeHidBackend;
using testing::MemoryFileSystem;
using testing::MouseChangeReport;
using testing::MouseRole;
using testing::OtherInterface;
using testing::StatusAnswer;

constexpr auto kWait = std::chrono::seconds(5);

inline std::string BaseName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The memory disk, telling a shared log what is read and written.
class LoggingFileSystem : public MemoryFileSystem {
  public:
    bool ReadFile(const std::string& path, std::string& bytes) override {
        Log("read " + BaseName(path));
        return MemoryFileSystem::ReadFile(path, bytes);
    }
    bool WriteFileAtomic(const std::string& path, std::string_view bytes) override {
        Log("write " + BaseName(path));
        return MemoryFileSystem::WriteFileAtomic(path, bytes);
    }
    bool CreateNewFile(const std::string& path, std::string_view bytes) override {
        Log("create " + BaseName(path));
        return MemoryFileSystem::CreateNewFile(path, bytes);
    }
    std::u16string Text(const std::string& path) const {
        const auto it = files.find(path);
        return it == files.end() ? std::u16string() : testing::TextOf(it->second);
    }

    std::vector<std::string>* log = nullptr;

  private:
    void Log(const std::string& line) {
        if (log)
            log->push_back(line);
    }
};

// Each expected line appears in `log`, in this order (others may come between).
inline void ExpectInOrder(const std::vector<std::string>& log,
                          const std::vector<std::string>& lines) {
    size_t at = 0;
    for (const std::string& line : lines) {
        while (at < log.size() && log[at] != line)
            ++at;
        ASSERT_LT(at, log.size()) << "missing or out of order: " << line;
        ++at;
    }
}

// The lines of `log` that change the disk, with the time stamp of a kept
// copy's name dropped.
inline std::vector<std::string> Changes(const std::vector<std::string>& log) {
    std::vector<std::string> changes;
    for (const std::string& line : log) {
        if (line.starts_with("read "))
            continue;
        const size_t bad = line.find(".bad-");
        changes.push_back(bad == std::string::npos ? line : line.substr(0, bad + 4));
    }
    return changes;
}

class AppCoreTest : public ::testing::Test {
  protected:
    StartupReport Start() {
        options.DataFolder = u"/data/";
        options.Locale = "en_US.UTF-8";
        return core.Initialize(options);
    }
    // Starts, lets the scan's apply run, and forgets what was sent so far.
    void StartSettled() {
        Start();
        Advance(kApplyDelayMs);
        ClearLogs();
    }
    void Advance(long long ms) {
        timers.Advance(ms, [this](int id) { EXPECT_TRUE(core.OnTimer(id)); });
    }
    void ClearLogs() {
        backend.ClearSets();
        pacer.pauses.clear();
        ui.Clear();
    }
    int StatusQueries() const {
        int n = 0;
        for (const auto& s : backend.Sets())
            n += s.report.Command() == CMD_QUERY_STATUS ? 1 : 0;
        return n;
    }
    std::vector<uint8_t> AllCommands() const {
        std::vector<uint8_t> c;
        for (const auto& s : backend.Sets())
            c.push_back(s.report.Command());
        return c;
    }
    ProfileRecord& Current() { return core.State().CurrentRecord(); }
    // A page change and its apply.
    void Change(const EditResult& edit) {
        ASSERT_TRUE(edit.Accepted());
        core.Writer().MarkChanged(edit.Dirty.Bits());
        Advance(kApplyDelayMs);
    }
    std::u16string Text(size_t entry) const { return core.State().Language.Text(entry); }

    // What the disk and the backend were asked, when a test wants to know.
    std::vector<std::string> log;
    LoggingFileSystem fs;
    FakeHidBackend backend;
    ManualTimerHost timers;
    RecordingPacer pacer;
    RecordingCoreUi ui;
    AppCoreOptions options;
    AppCore core{backend, fs, timers, pacer, ui};
    const std::vector<HidInterfaceInfo> cable = MouseRole(DeviceRole::Cable, "hidraw1");
    const std::vector<HidInterfaceInfo> receiver = MouseRole(DeviceRole::Receiver, "hidraw4");
};

}  // namespace velmaro::app_core_test
