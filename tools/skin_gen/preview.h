// Pictures for looking at the artwork: a contact sheet and main window mock-ups.
#pragma once

#include <QString>

#include "kit.h"

namespace skin {

bool WritePreviews(const Sink& sink, const QString& dir);

}  // namespace skin
