// velmaro_skin_gen: draws the program's skin artwork.
//
//   velmaro_skin_gen SKINS_DIR RESOURCE_DIR [--preview PREVIEW_DIR]
//
// SKINS_DIR receives the skin folder (with its mouse/ subfolder) that is read
// beside the program; RESOURCE_DIR receives the images compiled into the
// program and velmaro_skin.qrc listing them under their resource names, and
// icon/velmaro.svg, the scalable icon for the desktop's icon theme. The last
// file written is RESOURCE_DIR/skins.manifest, one written path a line,
// which the build uses as its stamp. With --preview, a contact sheet of every
// skin image and mock-ups of the main window are written for looking at.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>
#include <cstdio>

#include "app_icon.h"
#include "art.h"
#include "preview.h"

namespace {

bool WriteImage(const QString& file, const skin::Output& out) {
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        return false;
    }
    if (out.format == skin::Output::Format::Bmp24) {
        // Qt writes 32-bit RGB images as 24-bit bitmaps.
        return out.image.convertToFormat(QImage::Format_RGB32).save(file, "BMP");
    }
    return out.image.convertToFormat(QImage::Format_ARGB32).save(file, "PNG");
}

bool WriteText(const QString& file, const QString& text) {
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    f.write(text.toUtf8());
    return f.commit();
}

QString Qrc(const std::vector<skin::Output>& outputs) {
    QString qrc;
    QTextStream s(&qrc);
    s << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const skin::Output& o : outputs) {
        if (o.root == skin::Output::Root::Resources) {
            s << "    <file alias=\"" << o.alias << "\""
              << (o.stored ? " compression-algorithm=\"none\"" : "") << ">" << o.path
              << "</file>\n";
        }
    }
    s << "</qresource>\n</RCC>\n";
    return qrc;
}

// Removes pictures left in the skin folder by an earlier version of the
// artwork, so the folder that is installed holds exactly the current set.
void RemoveStale(const QDir& skinsDir, const QSet<QString>& written) {
    QDirIterator it(skinsDir.absolutePath(), {"*.png", "*.bmp"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!written.contains(file)) {
            QFile::remove(file);
        }
    }
}

int Fail(const QString& what) {
    std::fprintf(stderr, "velmaro_skin_gen: %s\n", qPrintable(what));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 5 && QString(argv[3]) == "--preview")) {
        std::fprintf(stderr, "usage: %s SKINS_DIR RESOURCE_DIR [--preview PREVIEW_DIR]\n", argv[0]);
        return 2;
    }
    const QDir skinsDir(QString::fromLocal8Bit(argv[1]));
    const QDir resourceDir(QString::fromLocal8Bit(argv[2]));

    skin::Sink sink;
    skin::DrawControls(sink);
    skin::DrawFrames(sink);
    skin::DrawMouse(sink);
    skin::DrawSettings(sink);
    skin::DrawMacroEditor(sink);
    skin::DrawWindows(sink);
    skin::DrawResourceImages(sink);

    QString manifest;
    QSet<QString> writtenSkins;
    int skinFiles = 0;
    for (const skin::Output& o : sink.outputs()) {
        const QDir& root = o.root == skin::Output::Root::Skins ? skinsDir : resourceDir;
        const QString file = root.absoluteFilePath(o.path);
        if (!WriteImage(file, o)) {
            return Fail("cannot write " + file);
        }
        manifest += file + "\n";
        if (o.root == skin::Output::Root::Skins) {
            writtenSkins.insert(file);
            ++skinFiles;
        }
    }
    RemoveStale(skinsDir, writtenSkins);
    const QString qrcFile = resourceDir.absoluteFilePath("velmaro_skin.qrc");
    if (!WriteText(qrcFile, Qrc(sink.outputs()))) {
        return Fail("cannot write " + qrcFile);
    }
    manifest += qrcFile + "\n";
    // The icon theme's scalable icon, from the same shapes as the pixel sizes.
    const QString svgFile = resourceDir.absoluteFilePath("icon/velmaro.svg");
    if (!WriteText(svgFile, skin::AppIconSvg())) {
        return Fail("cannot write " + svgFile);
    }
    manifest += svgFile + "\n";

    if (argc == 5 && !skin::WritePreviews(sink, QString::fromLocal8Bit(argv[4]))) {
        return Fail("cannot write the previews");
    }
    if (!WriteText(resourceDir.absoluteFilePath("skins.manifest"), manifest)) {
        return Fail("cannot write the manifest");
    }
    std::printf("velmaro_skin_gen: %d skin files, %d resource images\n", skinFiles,
                int(sink.outputs().size()) - skinFiles);
    return 0;
}
