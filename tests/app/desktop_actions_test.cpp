// What the window asks of the desktop: which mouse settings it starts, and
// which user guide it opens.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "app/desktop_actions.h"

namespace velmaro::test {
namespace {

struct DesktopCase {
    const char* Current;
    const char* First;
    const char* Argument;
};

TEST(DesktopActions, MouseSettingsOfTheCurrentDesktopComeFirst) {
    const DesktopCase cases[] = {
        {"ubuntu:GNOME", "gnome-control-center", "mouse"},
        {"KDE", "systemsettings", "kcm_mouse"},
        {"X-Cinnamon", "cinnamon-settings", "mouse"},
        {"XFCE", "xfce4-mouse-settings", nullptr},
        {"LXQt", "lxqt-config-input", nullptr},
        {"", "gnome-control-center", "mouse"},
    };
    for (const DesktopCase& c : cases) {
        const auto candidates = MouseSettingsCandidates(c.Current);
        ASSERT_EQ(candidates.size(), 6u) << c.Current;
        EXPECT_EQ(candidates[0].Program, c.First) << c.Current;
        EXPECT_EQ(candidates[0].Arguments, c.Argument ? QStringList{c.Argument} : QStringList{})
            << c.Current;
    }
}

TEST(DesktopActions, UserGuideFallsBackToAFileThatExists) {
    QTemporaryDir dir;
    const QString readme = dir.filePath("README.md");
    QFile f(readme);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString web = "https://example.org/velmaro/guide";
    EXPECT_EQ(ChooseUserGuide(web, readme), web);
    EXPECT_EQ(ChooseUserGuide("file:///nonexistent/README.md", readme),
              QUrl::fromLocalFile(readme).toString());
    EXPECT_EQ(ChooseUserGuide(QUrl::fromLocalFile(readme).toString(), ""),
              QUrl::fromLocalFile(readme).toString());
    EXPECT_EQ(UserGuideCaption(web, "guide"), "example.org/velmaro/guide");
    EXPECT_EQ(UserGuideCaption(QUrl::fromLocalFile(readme).toString(), "guide"), "guide");
}

}  // namespace
}  // namespace velmaro::test
