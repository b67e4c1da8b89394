// velmaroctl's side of the window's remote control: the command goes over the
// session bus to the running velmaro that holds the data folder, which runs
// it on its own state and answers with what velmaroctl prints.
#pragma once

#include <string>
#include <vector>

namespace velmaro::cli {

// The bus names of the window (the desktop's application id).
inline constexpr const char* kBusName = "io.github.velmaro.Velmaro";
inline constexpr const char* kBusPath = "/io/github/velmaro/Velmaro";
inline constexpr const char* kControlInterface = "io.github.velmaro.Velmaro.Control";

// How long the window may take to show it is there, and how long one
// command it accepted may take at most (a factory reset on the real mouse
// with its pacing takes a few seconds).
inline constexpr int kReachTimeoutMs = 2000;
inline constexpr int kCommandTimeoutMs = 60000;

struct WindowRequest {
    std::string DataFolder;         // the folder the command is for, with a trailing "/"
    std::string WorkingFolder;      // relative file names are taken from here
    std::vector<std::string> Args;  // the command line without the program name
    std::string Input;              // standard input, for set - and import SLOT -
};

struct WindowAnswer {
    bool Reached = false;
    std::string Problem;  // why the window could not be reached
    // The bus answered, but nobody holds the window's name on it (yet: a
    // window takes the data folder before its name while it starts).
    bool NameMissing = false;
    int Status = 0;
    std::string Out, Err;
};

// Sends the request to the window on the session bus and waits for its
// answer: kReachTimeoutMs for the window to answer at all, then
// kCommandTimeoutMs for the command.
WindowAnswer AskWindow(const WindowRequest& request);

}  // namespace velmaro::cli
