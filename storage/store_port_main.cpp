// corvane-store-port NAME BAUD: remembers the radio's port in state.db, as the first start's
// dialog would, so that a script can start Corvane against a known port.

#include "storage/tables.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane-store-port PORT BAUD\n");
        return 2;
    }
    const QString folder = Storage::DatabaseFolder();
    QDir().mkpath(folder);
    sqlite3* database = nullptr;
    if (sqlite3_open((folder + "state.db").toUtf8().constData(), &database) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(folder + "state.db"));
        return 1;
    }
    const bool stored =
        Storage::CreateTables(database) && Storage::StorePort(database, argv[1], std::atoi(argv[2]));
    sqlite3_close(database);
    return stored ? 0 : 1;
}
