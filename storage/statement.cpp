#include "storage/statement.h"

namespace Storage {

Statement::Statement(sqlite3* database, const char* sql, const std::vector<SqlValue>& parameters) {
    if (!database || sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        statement = nullptr;
        return;
    }
    int index = 1;
    for (const SqlValue& value : parameters) {
        if (const int* number = std::get_if<int>(&value))
            sqlite3_bind_int(statement, index, *number);
        else {
            const std::string& textValue = std::get<std::string>(value);
            sqlite3_bind_text(statement, index, textValue.data(), static_cast<int>(textValue.size()),
                              SQLITE_TRANSIENT);
        }
        ++index;
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement);
}

bool Statement::next() {
    return statement && sqlite3_step(statement) == SQLITE_ROW;
}

bool Statement::run() {
    return statement && sqlite3_step(statement) == SQLITE_DONE;
}

int Statement::integer(int column) const {
    return sqlite3_column_int(statement, column);
}

std::string Statement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return bytes ? std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(statement, column)))
                 : std::string();
}

int Statement::column(const char* name) const {
    for (int c = 0; statement && c < sqlite3_column_count(statement); ++c)
        if (sqlite3_stricmp(sqlite3_column_name(statement, c), name) == 0)
            return c;
    return -1;
}

int Statement::integer(const char* name) const {
    const int c = column(name);
    return c < 0 ? 0 : integer(c);
}

std::string Statement::text(const char* name) const {
    const int c = column(name);
    return c < 0 ? std::string() : text(c);
}

} // namespace Storage
