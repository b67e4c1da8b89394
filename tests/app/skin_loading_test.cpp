// The skin's pictures are read when they are first shown: the window looks
// exactly as it did when every picture was read as its control was created,
// on its first paint, on the first hover of a control, in a section opened
// later and in a dialog's first paint.
#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "app/dpi_section.h"
#include "app/settings_sections.h"
#include "main_window_fixture.h"

namespace velmaro::test {
namespace {

struct Shot {
    std::string What;
    QImage Image;
};

class SkinLoadingTest : public MainWindowFixture, public ::testing::WithParamInterface<double> {
  protected:
    // Starts a window reading its pictures lazily or all at once and walks
    // it through the same steps, keeping a picture of each.
    // `ahead`: pictures read ahead before the window starts, as a start
    // does with what the last first paint drew.
    std::vector<Shot> Walk(bool eager, const std::vector<QString>& ahead = {}) {
        Stop();
        Ui() = UiContext{};
        Ui().Pictures.Eager = eager;
        Ui().Pictures.ReadAheadAll(ahead);
        MainWindowOptions options;
        options.Scale = GetParam();
        CKorvaneDlg& w = Start(options);
        std::vector<Shot> shots;
        shots.push_back({"first paint", w.RenderAll().copy()});
        readAtFirstPaint = Ui().Pictures.Count();
        firstPaintPictures = Ui().Pictures.ReadOrder();
        // The pointer comes from the background (the last walk left it on a control).
        QTest::mouseMove(&w, QPoint(1, 1));
        ProcessEvents();

        // The first hover of each kind of control reads its hover look.
        for (uint32_t id : {kResetButtonId, kExitButtonId, kRateHeaderId, kDpiEnableBoxId + 1,
                            kMinimiseButtonId}) {
            CControlBase* c = w.FindControl(id);
            if (c == nullptr || !c->IsShown()) {
                ADD_FAILURE() << "control " << id << " is not shown";
                continue;
            }
            const Rect r = c->GetRect();
            QTest::mouseMove(&w, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
            ProcessEvents();
            shots.push_back({"hover " + std::to_string(id), w.RenderAll().copy()});
        }
        // A section opened later shows its pictures on its first paint.
        Click(kRateHeaderId);
        shots.push_back({"rate section", w.RenderAll().copy()});
        // A dialog's pictures on its first paint.
        answer = [&shots](CDlgBase& dialog) {
            shots.push_back({"dialog " + Describe(dialog), dialog.RenderAll().copy()});
            return int(QDialog::Rejected);
        };
        Click(kResetButtonId);
        answer = nullptr;
        return shots;
    }

    int readAtFirstPaint = 0;
    std::vector<QString> firstPaintPictures;
};

TEST_P(SkinLoadingTest, LooksAsWhenEveryPictureWasReadAtStart) {
    const std::vector<Shot> eager = Walk(true);
    const int readEagerly = readAtFirstPaint;
    const std::vector<Shot> lazy = Walk(false);
    const int readLazily = readAtFirstPaint;
    // The next start reads what this first paint drew while it builds the
    // window; a stale entry (a picture no paint asks for) changes nothing.
    std::vector<QString> last = firstPaintPictures;
    last.push_back(Ui().SkinFile("Frame_DPI.bmp"));
    const std::vector<Shot> ahead = Walk(false, last);
    EXPECT_EQ(firstPaintPictures.size() + 1, last.size());

    for (const auto* walk : {&lazy, &ahead}) {
        ASSERT_EQ(walk->size(), eager.size());
        ASSERT_EQ(walk->back().What, "dialog reset");
        for (size_t i = 0; i < walk->size(); ++i) {
            const Shot& shot = (*walk)[i];
            SCOPED_TRACE(shot.What + (walk == &ahead ? " (read ahead)" : ""));
            EXPECT_EQ(shot.What, eager[i].What);
            ASSERT_EQ(shot.Image.size(), eager[i].Image.size());
            // Pixel for pixel (QImage compares every pixel).
            EXPECT_TRUE(shot.Image == eager[i].Image);
            // Each step shows something new (a hover that drew nothing would not).
            if (i > 0) {
                EXPECT_FALSE(shot.Image == (*walk)[i - 1].Image);
            }
        }
    }
    // Only what the first paint shows was read for it.
    EXPECT_LT(readLazily * 2, readEagerly);
}

// The window paints straight into its backing store; what reaches it is
// what the off-screen image (screenshots, the tests above) shows, at the
// first paint and after a repaint of one control.
class WindowPaintTest : public MainWindowFixture, public ::testing::WithParamInterface<double> {};

TEST_P(WindowPaintTest, TheWindowPaintsWhatItsOffScreenImageShows) {
    MainWindowOptions options;
    options.Scale = GetParam();
    CKorvaneDlg& w = Start(options);
    auto painted = [&w] { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QImage first = painted();
    EXPECT_TRUE(first == w.RenderAll());

    const Rect r = w.FindControl(kResetButtonId)->GetRect();
    QTest::mouseMove(&w, QPoint(r.left + 2, r.top + 2));
    ProcessEvents();
    const QImage hovered = painted();
    EXPECT_TRUE(hovered == w.RenderAll());
    EXPECT_FALSE(hovered == first);
}

// The background's average colour (what a fill beside it shows) is worked
// out only when asked, from the copy at the UI scale where that copy holds
// each picture pixel equally often, else from the picture.
TEST_P(WindowPaintTest, TheBackgroundColourIsTheAverageOfThePicture) {
    MainWindowOptions options;
    options.Scale = GetParam();
    CKorvaneDlg& w = Start(options);
    const QImage picture = ReadPicture(BitmapResourcePath(CKorvaneDlg::kBackgroundResource))
                               .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(picture.isNull());
    uint64_t sum[3] = {0, 0, 0};
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            sum[0] += uint64_t(qRed(p));
            sum[1] += uint64_t(qGreen(p));
            sum[2] += uint64_t(qBlue(p));
        }
    }
    const uint64_t n = uint64_t(picture.width()) * uint64_t(picture.height());
    EXPECT_EQ(w.BackgroundColor(),
              ColorRef(sum[0] / n) | (ColorRef(sum[1] / n) << 8) | (ColorRef(sum[2] / n) << 16));
}

INSTANTIATE_TEST_SUITE_P(Scales, SkinLoadingTest, ::testing::Values(1.0, 2.0));
INSTANTIATE_TEST_SUITE_P(Scales, WindowPaintTest, ::testing::Values(1.0, 1.5, 2.0));

// A picture read ahead on its own thread is the picture read now; a file that
// is not there reads as nothing either way.
TEST(SkinImageCacheTest, AReadAheadGivesWhatAReadNowGives) {
    const QString skins = QStringLiteral(VELMARO_SKINS_DIR);
    for (const QString& path :
         {BitmapResourcePath(CKorvaneDlg::kBackgroundResource), skins + "button2_nr.png",
          skins + "Frame_common.bmp", skins + "no_such_picture.png"}) {
        for (bool alone : {true, false}) {
            SCOPED_TRACE(path.toStdString() + (alone ? " alone" : " in a list"));
            SkinImageCache cache;
            if (alone)
                cache.ReadAhead(path);
            else
                cache.ReadAheadAll({skins + "check_nr.png", path});
            const QImage ahead = cache.Read(path);
            const QImage now = cache.Read(path);  // the read ahead was taken
            EXPECT_TRUE(ahead.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
                        now.convertToFormat(QImage::Format_ARGB32_Premultiplied));
            EXPECT_EQ(ahead.isNull(), path.contains("no_such"));
            EXPECT_EQ(cache.Count(), 0);  // not kept as a control's picture
        }
    }
}

TEST_F(MainWindowFixture, HoverAndPressedLooksWaitForTheirFirstUse) {
    CKorvaneDlg& w = Start();
    w.RenderAll();
    const SkinImageCache& read = Ui().Pictures;
    const QString hover = Ui().SkinFile("button2_ov.png");
    EXPECT_TRUE(read.Holds(Ui().SkinFile("button2_nr.png")));
    EXPECT_FALSE(read.Holds(hover));
    // Nothing of the dialogs, the pages behind or the sections closed.
    for (const char* file : {"Frame_common.bmp", "Frame_warning.bmp", "125hz_nr.png",
                             "combo2_ov.png", "check_button_dpi_ov.png", "exit_ov.png"})
        EXPECT_FALSE(read.Holds(Ui().SkinFile(file))) << file;

    const Rect r = w.FindControl(kResetButtonId)->GetRect();
    QTest::mouseMove(&w, QPoint(r.left + 2, r.top + 2));
    ProcessEvents();
    w.RenderAll();
    EXPECT_TRUE(read.Holds(hover));
}

}  // namespace
}  // namespace velmaro::test
