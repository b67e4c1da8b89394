// The window as velmaroctl's server: every report the window sends is
// counted and traced here (the window's --trace, and a served command's own
// --trace), its files go through a disk that notes what a command wrote, and
// a command handed over the session bus runs as velmaroctl would run it, on
// the window's own core, from the caller's working folder.
#pragma once

#include <QString>
#include <atomic>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>

#include "app/app_bus.h"
#include "cli/recording_file_system.h"
#include "device/hid/hid_backend.h"

namespace velmaro {

class CKorvaneDlg;

class CCommandServer {
  public:
    // `inner` is the backend the window uses underneath; `programTrace` is
    // the window's --trace file (empty: none).
    CCommandServer(HidBackend& inner, const QString& programTrace);
    ~CCommandServer();

    // False when the window's --trace file could not be opened.
    bool TraceOpen() const { return traceOk_; }
    // What the window runs on: the traced backend and the noting disk.
    HidBackend& Backend() { return *traced_; }
    cli::RecordingFileSystem& Files() { return files_; }

    // Runs one handed-over command on `window`, which holds `dataFolder`.
    BusCommandAnswer Run(CKorvaneDlg& window, const BusCommand& command);

  private:
    void Line(const std::string& line);
    bool TraceCommandTo(const std::string& path);

    std::mutex mutex_;
    std::ofstream programTrace_;
    std::unique_ptr<std::ofstream> commandTrace_;
    bool traceOk_ = true;
    std::atomic<int> sets_{0};
    std::unique_ptr<HidBackend> traced_;
    cli::RecordingFileSystem files_;
};

}  // namespace velmaro
