// The UI tests need one QApplication; they run on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/ui_platform.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    velmaro::PrepareUiPlatform();
    QApplication app(argc, argv);
    velmaro::InitUiResources();
    velmaro::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
