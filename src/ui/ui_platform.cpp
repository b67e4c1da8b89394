#include "ui/ui_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

// Resources must be initialised from the global namespace.
static void InitSkinResources() {
    Q_INIT_RESOURCE(velmaro_skin);
}

namespace velmaro {

namespace {

QString FirstInstalled(const QStringList& families, const QStringList& candidates) {
    for (const QString& c : candidates) {
        if (families.contains(c, Qt::CaseInsensitive)) {
            return c;
        }
    }
    return {};
}

}  // namespace

void PrepareUiPlatform() {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_AUTO_SCREEN_SCALE_FACTOR");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Floor);
}

FontSubstitutes InstallFontSubstitutes() {
    const QStringList families = QFontDatabase::families();
    FontSubstitutes chosen;
    // Liberation Sans keeps the advance widths of the usual Latin UI faces.
    chosen.Latin = FirstInstalled(families, {"Liberation Sans", "Arimo", "DejaVu Sans"});
    chosen.Cjk = FirstInstalled(families, {"WenQuanYi Micro Hei", "WenQuanYi Zen Hei",
                                           "Noto Sans CJK SC", "Droid Sans Fallback"});
    if (!chosen.Latin.isEmpty()) {
        QFont::insertSubstitution("Tahoma", chosen.Latin);
    }
    if (!chosen.Cjk.isEmpty()) {
        QFont::insertSubstitution(QString::fromUtf16(u"宋体"), chosen.Cjk);
        QFont::insertSubstitution("SimSun", chosen.Cjk);
    }
    return chosen;
}

void ResolveFaceAhead(const QString& face) {
    // As UiContext::MakeFont asks for it; the size does not change what is
    // kept.
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    QFontMetrics(font).horizontalAdvance(QLatin1Char('0'));
}

void InitUiResources() {
    InitSkinResources();
}

QString FindSkinsDir() {
    const QString beside = QCoreApplication::applicationDirPath() + "/skins/";
    if (QDir(beside).exists()) {
        return beside;
    }
#ifdef VELMARO_SKINS_INSTALL_DIR
    return QStringLiteral(VELMARO_SKINS_INSTALL_DIR "/");
#else
    return beside;
#endif
}

}  // namespace velmaro
