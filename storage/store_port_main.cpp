// corvane-store-port NAME BAUD: remembers the radio's port in state.db, as the first start's
// dialog would, so that a script can start Corvane against a known port.

#include "storage/tables.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane-store-port PORT BAUD\n");
        return 2;
    }
    const QString folder = Storage::DatabaseFolder();
    if (!Storage::StorePortIn(folder, argv[1], std::atoi(argv[2]))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(folder + "state.db"));
        return 1;
    }
    return 0;
}
