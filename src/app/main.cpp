#include <malloc.h>

#include "app/korvane_app.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // The start reads the data folder, the fonts' configuration and the
    // pictures on short-lived threads. One heap for all of them, and large
    // blocks (the background's bytes while it is decoded) handed back to the
    // system when freed, keep about a megabyte less resident for as long as
    // the window runs.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    velmaro::CKorvaneApp app;
    return app.Run(argc, argv);
}
