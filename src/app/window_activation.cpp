#include "app/window_activation.h"

#include <QGuiApplication>
#include <QWidget>

namespace velmaro {

namespace {

const char kTokenVariable[] = "XDG_ACTIVATION_TOKEN";

}  // namespace

bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QString TakeStartActivationToken() {
    const QString token = qEnvironmentVariable(kTokenVariable);
    qunsetenv(kTokenVariable);
    return token;
}

void BringToFront(QWidget* window, const QString& activationToken) {
    const bool token = OnWayland() && !activationToken.isEmpty();
    if (token)
        qputenv(kTokenVariable, activationToken.toUtf8());
    window->showNormal();
    window->raise();
    window->activateWindow();
    // Spent by the activation, or of no use to the next one.
    if (token)
        qunsetenv(kTokenVariable);
}

}  // namespace velmaro
