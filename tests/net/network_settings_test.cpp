// The network settings in a real state.db in a temporary folder: every field kept across a
// reopen, and a table written by an earlier version opens with its values and takes the
// settings it lacked.
#include "storage/network_settings.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Storage::NetworkSettings;

class NetworkSettingsStore : public ::testing::Test {
protected:
    void reopen() {
        sqlite3_close(database);
        database = nullptr;
        ASSERT_EQ(sqlite3_open(folder.filePath("state.db").toUtf8().constData(), &database), SQLITE_OK);
    }
    void SetUp() override { reopen(); }
    void TearDown() override { sqlite3_close(database); }

    void execute(const char* sql) {
        EXPECT_EQ(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }
    std::vector<std::string> row(const char* sql) {
        std::vector<std::string> values;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(statement); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
                values.emplace_back(text ? text : "NULL");
            }
        sqlite3_finalize(statement);
        return values;
    }

    QTemporaryDir folder;
    sqlite3* database = nullptr;
};

TEST_F(NetworkSettingsStore, EveryFieldIsKeptAcrossAReopen) {
    EXPECT_EQ(Storage::LoadNetworkSettings(database), NetworkSettings{});
    NetworkSettings changed;
    changed.enabled = false;
    changed.port = 4600;
    changed.allInterfaces = true;
    changed.transmitLimitMinutes = 0;
    changed.programsMayKey = false;
    ASSERT_TRUE(Storage::StoreNetworkSettings(database, changed));
    reopen();
    EXPECT_EQ(Storage::LoadNetworkSettings(database), changed);
    changed.transmitLimitMinutes = NetworkSettings::maxTransmitLimitMinutes;
    changed.programsMayKey = true;
    ASSERT_TRUE(Storage::StoreNetworkSettings(database, changed));
    reopen();
    EXPECT_EQ(Storage::LoadNetworkSettings(database), changed);
    EXPECT_EQ(row("select count(*) from network_settings"), std::vector<std::string>{"1"});
}

// The table as the version before the PTT settings wrote it, its creating text included.
TEST_F(NetworkSettingsStore, AnEarlierTableKeepsItsValuesAndTakesTheNewSettings) {
    execute("CREATE TABLE IF NOT EXISTS network_settings (\n\tid INTEGER PRIMARY KEY,\n\tenabled int default "
            "1,\n\tport int default 4532,\n\tall_interfaces int default 0\n);"
            "insert into network_settings(id, enabled, port, all_interfaces) values(1, 0, 4600, 1);");
    NetworkSettings earlier;
    earlier.enabled = false;
    earlier.port = 4600;
    earlier.allInterfaces = true;
    EXPECT_EQ(Storage::LoadNetworkSettings(database), earlier);
    // Reading changes nothing in the file.
    EXPECT_EQ(row("select * from network_settings"), (std::vector<std::string>{"1", "0", "4600", "1"}));

    NetworkSettings changed = earlier;
    changed.transmitLimitMinutes = 3;
    changed.programsMayKey = false;
    ASSERT_TRUE(Storage::StoreNetworkSettings(database, changed));
    reopen();
    EXPECT_EQ(Storage::LoadNetworkSettings(database), changed);
    EXPECT_EQ(row("select id, enabled, port, all_interfaces, transmit_limit_minutes, programs_may_key from "
                  "network_settings"),
              (std::vector<std::string>{"1", "0", "4600", "1", "3", "0"}));
    // A third open of the mended table adds nothing more.
    ASSERT_TRUE(Storage::StoreNetworkSettings(database, earlier));
    EXPECT_EQ(row("select count(*) from pragma_table_info('network_settings')"),
              std::vector<std::string>{"6"});
    EXPECT_EQ(Storage::LoadNetworkSettings(database), earlier);
}

// A value no setting can take (a damaged or hand-edited file) leaves the default.
TEST_F(NetworkSettingsStore, ALimitOutOfRangeLeavesTheDefault) {
    ASSERT_TRUE(Storage::StoreNetworkSettings(database, NetworkSettings{}));
    for (const int limit : {-1, NetworkSettings::maxTransmitLimitMinutes + 1, 100000}) {
        SCOPED_TRACE(limit);
        execute(("update network_settings set transmit_limit_minutes = " + std::to_string(limit)).c_str());
        EXPECT_EQ(Storage::LoadNetworkSettings(database).transmitLimitMinutes, 10);
    }
}

} // namespace
