#pragma once

#include <sqlite3.h>

#include <string>
#include <variant>
#include <vector>

namespace Storage {

using SqlValue = std::variant<int, std::string>;

// One prepared statement with bound parameters, finalised when it goes out of scope.
// With no database (it could not be opened) every call does nothing and reads no row.
class Statement {
public:
    Statement(sqlite3* database, const char* sql, const std::vector<SqlValue>& parameters = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Steps once; true while a row is there. An error ends the reading as if it were done.
    bool next();
    int integer(int column) const;
    std::string text(int column) const;
    // The index of the result column with this name, or -1. "select *" reads by name: a table
    // mended by adding a column has it last, not where this version creates it.
    int column(const char* name) const;
    int integer(const char* name) const;
    std::string text(const char* name) const;
    // Runs a statement that changes data; true when SQLite reported it done.
    bool run();

private:
    sqlite3_stmt* statement = nullptr;
};

} // namespace Storage
