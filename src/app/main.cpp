#include "app/korvane_app.h"

int main(int argc, char** argv) {
    velmaro::CKorvaneApp app;
    return app.Run(argc, argv);
}
