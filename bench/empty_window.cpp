// The floor app_bench measures velmaro's start against: an empty Qt widget
// window of the main window's size, timed the way velmaro --quit-after-paint
// times itself (process start, as the kernel records it, to the end of the
// first paint).
//
//   empty_window            print "first paint N ms" after the first paint, exit
//   empty_window --stay     keep running (resident memory, idle CPU)
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "app/process_clock.h"

namespace {

class EmptyWindow : public QWidget {
  public:
    explicit EmptyWindow(bool stay) : stay_(stay) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        if (painted_)
            return;
        painted_ = true;
        std::printf("first paint %.0f ms\n", velmaro::MillisecondsSinceProcessStart());
        std::fflush(stdout);
        if (!stay_)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }

  private:
    bool stay_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const bool stay = argc > 1 && std::strcmp(argv[1], "--stay") == 0;
    QApplication app(argc, argv);
    EmptyWindow window(stay);
    window.resize(1127, 740);
    window.show();
    return QApplication::exec();
}
