// The UI tests need one QApplication on the offscreen platform before the
// first test runs; it is never destroyed, because Qt's own globals go first at
// exit and an application object destroyed after them crashes.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/ui_platform.h"

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
