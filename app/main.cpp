#include "app/Corvane.h"
#include "app/resources.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

namespace {
// Answered before any window or port is opened; every other argument is the toolkit's.
bool answeredFromCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("corvane " CORVANE_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::puts("Usage: corvane [Qt options]: the Yaesu FT-891 control panel; its serial port and "
                      "speed are chosen in the window (Port Settings on the Misc page).");
            return true;
        }
    }
    return false;
}
} // namespace

int main(int argc, char* argv[]) {
    if (answeredFromCommandLine(argc, argv))
        return 0;
    QApplication application(argc, argv);
    InitCorvaneResources();
    Corvane window;
    window.setWindowIcon(QIcon(":/Corvane/IDI_ICON1"));
    window.setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    window.show();
    return application.exec();
}
