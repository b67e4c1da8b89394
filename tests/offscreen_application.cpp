// One QApplication on the offscreen platform for every test of a program that
// opens windows (the main window, the macro dialogs); never destroyed (Qt's
// own globals go first at exit). Closing the last window must not quit it.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/ui_platform.h"

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace {

class OffscreenTestApplication : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QApplication::instance() != nullptr)
            return;
        static int argc = 1;
        static char name[] = "velmaro-tests";
        static char* argv[] = {name, nullptr};
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        velmaro::PrepareUiPlatform();
        new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        velmaro::InstallFontSubstitutes();
        velmaro::InitUiResources();
    }
};

[[maybe_unused]] ::testing::Environment* const kOffscreenTestApplication =
    ::testing::AddGlobalTestEnvironment(new OffscreenTestApplication);

}  // namespace
