// Under a Wayland compositor, which ignores the positions a program asks
// for its windows: a popup is a popup of the main window (placed by the
// compositor relative to it, where the program asks) and the small dialogs,
// the modeless start-up message included, are children of the main window.
// Runs only on the Wayland platform (tests/e2e/wayland_desktop_test.sh runs
// it under a headless weston); elsewhere it is skipped.
#include <QGuiApplication>
#include <QWindow>

#include "app/button_page.h"
#include "main_window_fixture.h"
#include "section_fixture.h"
#include "ui/list_popup.h"

namespace velmaro::test {
namespace {

class WaylandPlacementTest : public SectionFixture {
  protected:
    void SetUp() override {
        SectionFixture::SetUp();
        if (!QGuiApplication::platformName().startsWith("wayland"))
            GTEST_SKIP() << "not on a Wayland compositor";
    }
};

TEST_F(WaylandPlacementTest, APopupIsAPopupOfTheMainWindow) {
    Start();
    ASSERT_TRUE(WaitFor([&] { return Window().isVisible() && Window().windowHandle(); }));
    ASSERT_TRUE(ClickControlIn(Window(), kButtonFieldFirstId));
    CListPopup* menu = Window().Buttons().Menu();
    ASSERT_NE(menu, nullptr);
    QWindow* handle = menu->windowHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->type(), Qt::Popup);
    EXPECT_EQ(handle->transientParent(), Window().windowHandle());
    menu->close();
}

TEST_F(WaylandPlacementTest, TheStartUpMessageIsAChildOfTheMainWindow) {
    MainWindowOptions options;
    options.Mouse.cable = false;
    Start(options);
    Advance(2000);
    CDlgBase* message = Window().StartupMessage();
    ASSERT_NE(message, nullptr);
    ASSERT_TRUE(WaitFor([&] { return message->windowHandle() != nullptr; }));
    EXPECT_EQ(message->windowHandle()->transientParent(), Window().windowHandle());
    message->close();
}

}  // namespace
}  // namespace velmaro::test
