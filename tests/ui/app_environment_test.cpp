// The UI tests need one QApplication on the offscreen platform before the
// first test runs; it is never destroyed, because Qt's own globals go first at
// exit and an application object destroyed after them crashes.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/ui_platform.h"

// For the leak checker of the sanitizer builds: fontconfig keeps what it read
// about the installed fonts for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace {

class UiApplication : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QApplication::instance() != nullptr) {
            return;
        }
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        velmaro::PrepareUiPlatform();
        new QApplication(argc, argv);
        velmaro::InstallFontSubstitutes();
        velmaro::InitUiResources();
    }
};

[[maybe_unused]] ::testing::Environment* const kUiApplication =
    ::testing::AddGlobalTestEnvironment(new UiApplication);

}  // namespace
