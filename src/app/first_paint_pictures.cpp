#include "app/first_paint_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace velmaro {

namespace {

constexpr qint64 kMostBytes = 64 * 1024;
constexpr size_t kMostPictures = 400;
const char kSkinsLine[] = "skins ";

bool Belongs(const QString& picture, const QString& skinsDir) {
    if (picture.startsWith(QLatin1String(":/")))
        return true;
    return !skinsDir.isEmpty() && picture.startsWith(skinsDir) &&
           !picture.contains(QLatin1String("/../"));
}

QByteArray Contents(const QString& skinsDir, const std::vector<QString>& pictures) {
    QByteArray text = kSkinsLine + skinsDir.toUtf8() + '\n';
    for (const QString& picture : pictures) {
        if (Belongs(picture, skinsDir) && !picture.contains(QLatin1Char('\n')))
            text += picture.toUtf8() + '\n';
    }
    return text;
}

}  // namespace

QString FirstPaintPicturesFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/velmaro/first-paint-pictures");
}

QString KeptPicturesFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/velmaro/first-paint-pixels");
}

std::vector<QString> ReadFirstPaintPictures(const QString& file, const QString& skinsDir) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = in.read(kMostBytes).split('\n');
    if (lines.isEmpty() || lines.first() != kSkinsLine + skinsDir.toUtf8())
        return {};
    std::vector<QString> pictures;
    for (qsizetype i = 1; i < lines.size() && pictures.size() < kMostPictures; ++i) {
        const QString picture = QString::fromUtf8(lines[i]);
        if (!picture.isEmpty() && Belongs(picture, skinsDir))
            pictures.push_back(picture);
    }
    return pictures;
}

bool WriteFirstPaintPictures(const QString& file, const QString& skinsDir,
                             const std::vector<QString>& pictures) {
    const QByteArray text = Contents(skinsDir, pictures);
    QFile old(file);
    if (old.open(QIODevice::ReadOnly) && old.read(kMostBytes + 1) == text)
        return true;
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.commit();
}

}  // namespace velmaro
