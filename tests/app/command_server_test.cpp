// The window serving velmaroctl: a handed-over command runs on the window's
// own core, reaches its mouse as the same reports its controls send, shows on
// its pages at once and is saved before the answer.
#include <gmock/gmock.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/command_server.h"
#include "app/rate_section.h"
#include "app/settings_sections.h"
#include "device/feature_report.h"
#include "main_window_fixture.h"
#include "ui/combo_button.h"

namespace velmaro::test {
namespace {

class CommandServerTest : public MainWindowFixture {
  protected:
    CKorvaneDlg& StartServed() {
        MainWindowOptions options;
        options.Adjust = [this](MainWindowSetup& setup) {
            server_ = std::make_unique<CCommandServer>(*setup.Backend, QString());
            setup.Backend = &server_->Backend();
            setup.Files = &server_->Files();
        };
        CKorvaneDlg& window = Start(options);
        Advance(100);  // the apply after the start-up scan
        ClearReports();
        return window;
    }

    BusCommandAnswer Run(const QStringList& args, const QByteArray& input = {}) {
        return server_->Run(Window(), {DataFolder(), work_.path(), args, input});
    }

    QTemporaryDir work_;
    std::unique_ptr<CCommandServer> server_;
};

TEST_F(CommandServerTest, ASetReachesTheMouseThePageAndTheFilesAtOnce) {
    CKorvaneDlg& window = StartServed();
    window.Sections().SetOpen(Section::Rate, true);
    const BusCommandAnswer answer = Run({"--json", "set", "rate=250"});
    ASSERT_EQ(answer.Status, 0) << answer.Err.toStdString();
    EXPECT_TRUE(answer.Err.isEmpty()) << answer.Err.toStdString();
    // One report, as the rate tile sends it.
    const std::vector<SeamLogEntry> sets = Sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].bytes.at(2), CMD_SET_POLLING_RATE);
    EXPECT_THAT(answer.Out.toStdString(), testing::HasSubstr("\"sent\": 1"));
    EXPECT_THAT(answer.Out.toStdString(), testing::HasSubstr("config/default0.psf"));
    // The page shows it, and the file holds it before the answer.
    EXPECT_EQ(window.FindControlAs<CComboButton>(CRateSection::kRateFieldId)->ValueText(), "250HZ");
    EXPECT_THAT(ProfileText(0), testing::HasSubstr("PollingRateName=250HZ"));
    EXPECT_FALSE(Core().Writer().SaveScheduled());
    // The answer is not held by the progress bar a click in the window shows.
    EXPECT_THAT(dialogs, testing::Not(testing::Contains(testing::StartsWith("progress"))));
}

TEST_F(CommandServerTest, FilesAndInputAreTheCallersAndReadOnlyCommandsSendNothing) {
    StartServed();
    // export with a relative name lands in the caller's folder.
    BusCommandAnswer answer = Run({"export", "1", "p.psf"});
    ASSERT_EQ(answer.Status, 0) << answer.Err.toStdString();
    EXPECT_TRUE(QFile::exists(work_.filePath("p.psf")));
    answer = Run({"export", "1", "-"});
    ASSERT_EQ(answer.Status, 0);
    QFile exported(work_.filePath("p.psf"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(answer.Out, exported.readAll());

    answer = Run({"set", "-"}, "sleep=7\n# a comment\n");
    ASSERT_EQ(answer.Status, 0) << answer.Err.toStdString();
    ClearReports();
    answer = Run({"show", "--as-set"});
    EXPECT_THAT(answer.Out.toStdString(), testing::HasSubstr("\nsleep=7\n"));
    for (const char* command : {"show", "macros", "devices", "list"}) {
        answer =
            Run(QString(command) == "list" ? QStringList{"list", "dpi"} : QStringList{command});
        EXPECT_EQ(answer.Status, 0) << command << ": " << answer.Err.toStdString();
    }
    EXPECT_TRUE(Sets().empty());
}

TEST_F(CommandServerTest, RefusesAnotherDataFolderAndUsageErrorsAreVelmaroctls) {
    StartServed();
    BusCommandAnswer answer = server_->Run(Window(), {"/elsewhere/", work_.path(), {"status"}, {}});
    EXPECT_EQ(answer.Status, 4);
    EXPECT_THAT(answer.Err.toStdString(), testing::HasSubstr("velmaro serves"));
    answer = Run({"set", "rate=300"});
    EXPECT_EQ(answer.Status, 2);
    EXPECT_THAT(answer.Err.toStdString(), testing::HasSubstr("velmaroctl: set: rate=300"));
    EXPECT_TRUE(Sets().empty());
}

}  // namespace
}  // namespace velmaro::test
