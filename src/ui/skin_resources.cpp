#include "ui/skin_resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE has to be used outside any namespace.
static void InitVelmaroSkinResources() {
    Q_INIT_RESOURCE(velmaro_skin);
}

namespace velmaro {

void InitSkinResources() {
    static const bool done = (InitVelmaroSkinResources(), true);
    (void)done;
}

}  // namespace velmaro
