#include "app/command_server.h"

#include <QDir>
#include <filesystem>
#include <sstream>
#include <vector>

#include "app/main_window.h"
#include "cli/cli_app.h"
#include "cli/session.h"
#include "cli/tracing_backend.h"
#include "model/text.h"
#include "storage/file_system.h"

namespace velmaro {

namespace {

// The same folder however it is written (a trailing "/", "." parts).
bool SameFolder(const std::string& a, const std::string& b) {
    auto normal = [](const std::string& path) {
        std::string text = std::filesystem::path(path).lexically_normal().string();
        while (text.size() > 1 && text.back() == '/')
            text.pop_back();
        return text;
    };
    return normal(a) == normal(b);
}

}  // namespace

CCommandServer::CCommandServer(HidBackend& inner, const QString& programTrace)
    : files_(DefaultFileSystem()) {
    if (!programTrace.isEmpty()) {
        programTrace_.open(programTrace.toStdString(), std::ios::out | std::ios::app);
        traceOk_ = programTrace_.is_open();
    }
    traced_ = std::make_unique<cli::TracingHidBackend>(
        inner, [this](const std::string& line) { Line(line); });
}

CCommandServer::~CCommandServer() = default;

void CCommandServer::Line(const std::string& line) {
    if (line.starts_with("SET "))
        ++sets_;
    std::lock_guard lock(mutex_);
    for (std::ofstream* trace : {&programTrace_, commandTrace_.get()}) {
        if (trace != nullptr && trace->is_open()) {
            *trace << line << '\n';
            trace->flush();
        }
    }
}

bool CCommandServer::TraceCommandTo(const std::string& path) {
    std::lock_guard lock(mutex_);
    commandTrace_.reset();
    if (path.empty())
        return true;
    auto trace = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::app);
    if (!trace->is_open())
        return false;
    commandTrace_ = std::move(trace);
    return true;
}

BusCommandAnswer CCommandServer::Run(CKorvaneDlg& window, const BusCommand& command) {
    BusCommandAnswer answer;
    const std::string held = ToUtf8(window.State().DataFolder);
    if (!SameFolder(command.DataFolder.toStdString(), held)) {
        // Not reached through velmaroctl, which asks only the holder.
        answer.Status = cli::kExitBusy;
        answer.Err = QByteArray("velmaroctl: velmaro serves ") + held.c_str() + ", not " +
                     command.DataFolder.toUtf8() + "\n";
        return answer;
    }
    // Relative file names (export, import, --trace) are the caller's.
    const QString previous = QDir::currentPath();
    if (!QDir::setCurrent(command.WorkingFolder)) {
        answer.Status = cli::kExitFiles;
        answer.Err = "velmaroctl: velmaro could not enter the working folder " +
                     command.WorkingFolder.toUtf8() + "\n";
        return answer;
    }
    std::vector<std::string> words{"velmaroctl"};
    for (const QString& arg : command.Args)
        words.push_back(arg.toStdString());
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    std::istringstream in(command.Input.toStdString());
    std::ostringstream out, err;
    const cli::AttachedCore attached{
        window.Core(),
        *traced_,
        files_,
        window.Startup(),
        [this] { return sets_.load(); },
        [this](const std::string& path) { return TraceCommandTo(path); },
    };
    window.SetServingCommand(true);
    answer.Status =
        cli::RunAttachedCommandLine(int(argv.size()), argv.data(), in, out, err, attached);
    window.SetServingCommand(false);
    QDir::setCurrent(previous);
    // The pages show what the command changed, as after the window's own edits.
    window.RefreshControls();
    answer.Out = QByteArray::fromStdString(out.str());
    answer.Err = QByteArray::fromStdString(err.str());
    return answer;
}

}  // namespace velmaro
