// The list of the pictures the last first paint drew, kept in the cache
// folder for the next start.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "app/first_paint_pictures.h"

namespace velmaro::test {
namespace {

class FirstPaintPicturesTest : public ::testing::Test {
  protected:
    void WriteRaw(const QByteArray& text) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    }

    QTemporaryDir dir;
    const QString file = dir.path() + "/velmaro/first-paint-pictures";
    const QString skins = "/usr/share/velmaro/skins/";
};

TEST_F(FirstPaintPicturesTest, WhatIsWrittenIsReadForTheSameSkinOnly) {
    const std::vector<QString> pictures = {skins + "button2_nr.png", ":/png/151.png",
                                           skins + "mouse/mouse_nr.png"};
    // The cache folder is made when missing.
    ASSERT_TRUE(WriteFirstPaintPictures(file, skins, pictures));
    EXPECT_EQ(ReadFirstPaintPictures(file, skins), pictures);
    EXPECT_TRUE(ReadFirstPaintPictures(file, "/opt/velmaro/skins/").empty());
    EXPECT_TRUE(ReadFirstPaintPictures(dir.path() + "/none", skins).empty());
}

// The file is the user's to break: only pictures of the skin folder and
// compiled-in images are ever read from it.
TEST_F(FirstPaintPicturesTest, AnythingButSkinPicturesIsIgnored) {
    const struct {
        QByteArray Text;
        std::vector<QString> Read;
    } cases[] = {
        {"skins " + skins.toUtf8() + "\n" + skins.toUtf8() + "check_nr.png\n/etc/passwd\n\n" +
             skins.toUtf8() + "../../secret.png\n:/icon/128/16.png\n",
         {skins + "check_nr.png", ":/icon/128/16.png"}},
        {skins.toUtf8() + "check_nr.png\n", {}},  // no skins line
        {"", {}},
        {QByteArray("\xff\xfe\x00garbage", 10), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        ASSERT_TRUE(WriteFirstPaintPictures(file, skins, {}));  // makes the folder
        WriteRaw(c.Text);
        EXPECT_EQ(ReadFirstPaintPictures(file, skins), c.Read);
    }
}

}  // namespace
}  // namespace velmaro::test
