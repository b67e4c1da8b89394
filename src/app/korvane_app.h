// The program: reads the command line, makes sure only one copy runs, picks
// the UI scale, makes the backend (the system's HID devices or the virtual
// mouse) and runs the main window until something ends it.
#pragma once

#include <QString>
#include <memory>

#include "app/app_options.h"

namespace velmaro {

// Where --simulate keeps its files unless --data-dir says otherwise.
QString SimulationDataFolder();

class CKorvaneApp {
  public:
    // The process's whole life; returns the exit status.
    int Run(int argc, char** argv);
};

}  // namespace velmaro
