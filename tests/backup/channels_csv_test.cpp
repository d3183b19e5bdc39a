// The memory channels as CSV: a round trip keeps every field the editor shows, and a table of
// rows the editor would refuse, each refused with its line and column.

#include "backup/channels_csv.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using Backup::ReadChannelsCsv;
using Yaesu::Commands::FT891::ChannelRecord;

namespace {

bool same(const ChannelRecord& a, const ChannelRecord& b) {
    return a.channel == b.channel && a.frequency == b.frequency && a.clarifierValue == b.clarifierValue &&
           a.clarifierEnabled == b.clarifierEnabled && a.mode == b.mode && a.ctcssType == b.ctcssType &&
           a.operation == b.operation && a.tagEnabled == b.tagEnabled && a.tagName == b.tagName;
}

const std::string header = "channel,frequency,mode,shift,clarifier,clarifier offset,tone,tag\n";

// Every mode, shift and tone (DCS included), a negative clarifier, and tags with a comma and a
// quote.
TEST(ChannelsCsv, RoundTripKeepsEveryField) {
    std::vector<ChannelRecord> channels;
    for (int i = 0; i < 13; ++i)
        channels.push_back({i + 1, 7000000 + i * 1000, -i * 100, i % 2, i + 1, (i + 1) % 4, i % 3, 0, ""});
    channels.push_back({20, 29620000, 0, 0, 4, 1, 2, 1, "RPT, \"29\""});
    channels.push_back({99, 30000, 9999, 1, 1, 0, 0, 1, "EDGE"});
    const std::string csv = Backup::WriteChannelsCsv(channels);
    EXPECT_NE(csv.find("20,29620000,FM,Minus Shift,off,0,ENC/DEC,\"RPT, \"\"29\"\"\"\n"), std::string::npos)
        << csv;
    const Backup::ReadChannels read = ReadChannelsCsv(csv);
    ASSERT_EQ(read.problem, "");
    ASSERT_EQ(read.channels.size(), channels.size());
    for (std::size_t i = 0; i < channels.size(); ++i)
        EXPECT_TRUE(same(read.channels[i], channels[i])) << "row " << i;
}

// Code A is DATA-FM and tone 3 DCS: the file says so and reads them back as they were; the
// radio pads tags with blanks, the file holds the tag alone.
TEST(ChannelsCsv, DataFmAndDcsAsTheRadioHasThem) {
    const std::string csv = Backup::WriteChannelsCsv(
        {{3, 29300000, 0, 0, 0xA, 0, 0, 1, "DATA FM     "}, {4, 29620000, 0, 0, 0x4, 3, 2, 1, "RPT DCS"}});
    EXPECT_EQ(csv, header + "3,29300000,DATA_FM,Simplex,off,0,OFF,DATA FM\n"
                            "4,29620000,FM,Minus Shift,off,0,DCS,RPT DCS\n");
    const Backup::ReadChannels read = ReadChannelsCsv(csv + "\r\n\n");
    ASSERT_EQ(read.channels.size(), 2u);
    EXPECT_EQ(read.channels[0].mode, 0xA);
    EXPECT_EQ(read.channels[1].ctcssType, 3);
}

// Files written before keep importing: every mode name they used reads as before (FM_N as the
// radio's FM-N, code B), and the radio's own spelling of a mode is taken too.
TEST(ChannelsCsv, ReadsTheNamesOfEarlierFiles) {
    const Backup::ReadChannels read = ReadChannelsCsv(header + "1,7000000,LSB,Simplex,off,0,OFF,\n"
                                                               "2,7000000,USB,Simplex,off,0,OFF,\n"
                                                               "3,7000000,CW,Simplex,off,0,OFF,\n"
                                                               "4,7000000,FM,Simplex,off,0,OFF,\n"
                                                               "5,7000000,AM,Simplex,off,0,OFF,\n"
                                                               "6,7000000,RTTY_LSB,Simplex,off,0,OFF,\n"
                                                               "7,7000000,CW_R,Simplex,off,0,OFF,\n"
                                                               "8,7000000,DATA_LSB,Simplex,off,0,OFF,\n"
                                                               "9,7000000,RTTY_USB,Simplex,off,0,OFF,\n"
                                                               "11,7000000,FM_N,Simplex,off,0,OFF,\n"
                                                               "12,7000000,DATA_USB,Simplex,off,0,OFF,\n"
                                                               "13,7000000,AM_N,Simplex,off,0,OFF,\n"
                                                               "14,7000000,DATA-FM,Simplex,off,0,OFF,\n");
    ASSERT_EQ(read.problem, "");
    std::vector<int> modes;
    for (const ChannelRecord& record : read.channels)
        modes.push_back(record.mode);
    EXPECT_EQ(modes, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xB, 0xC, 0xD, 0xA}));
}

struct BadRows {
    const char* name;
    std::string rows;
    std::string problem;
};

// Cases go by their name in test listings.
void PrintTo(const BadRows& c, std::ostream* out) {
    *out << c.name;
}

class RefusedRows : public ::testing::TestWithParam<BadRows> {};

TEST_P(RefusedRows, AreRefusedWithLineAndColumn) {
    const std::string good = "1,7074000,DATA_USB,Simplex,off,0,OFF,FT8\n";
    const Backup::ReadChannels read = ReadChannelsCsv(header + good + GetParam().rows);
    EXPECT_EQ(read.problem, GetParam().problem);
    EXPECT_TRUE(read.channels.empty());
}

// Channels 2 to 99 after the good row, and one row more.
std::string hundredRows() {
    std::string rows;
    for (int channel = 2; channel <= 99; ++channel)
        rows += std::to_string(channel) + ",7074000,USB,Simplex,off,0,OFF,\n";
    return rows + "50,7074000,USB,Simplex,off,0,OFF,\n";
}

INSTANTIATE_TEST_SUITE_P(
    Backup, RefusedRows,
    ::testing::Values(
        BadRows{"FrequencyNotNumber", "2,7.074.000,USB,Simplex,off,0,OFF,\n",
                "line 3: column frequency: \"7.074.000\" is not a frequency in hertz from 30 kHz to 56 MHz"},
        BadRows{"FrequencyTooHigh", "2,56000001,USB,Simplex,off,0,OFF,\n",
                "line 3: column frequency: \"56000001\" is not a frequency in hertz from 30 kHz to 56 MHz"},
        BadRows{"FrequencyZero", "2,0,USB,Simplex,off,0,OFF,\n",
                "line 3: column frequency: \"0\" is not a frequency in hertz from 30 kHz to 56 MHz"},
        BadRows{"UnknownMode", "2,7074000,FT8,Simplex,off,0,OFF,\n",
                "line 3: column mode: \"FT8\" is no mode of the radio"},
        BadRows{"TagWithSemicolon", "2,7074000,USB,Simplex,off,0,OFF,A;FA1;\n",
                "line 3: column tag: a tag is at most 12 printable ASCII characters, without \";\""},
        BadRows{"TagTooLong", "2,7074000,USB,Simplex,off,0,OFF,THIRTEEN CHRS\n",
                "line 3: column tag: a tag is at most 12 printable ASCII characters, without \";\""},
        BadRows{"ChannelZero", "0,7074000,USB,Simplex,off,0,OFF,\n",
                "line 3: column channel: \"0\" is not a channel 1 to 99"},
        BadRows{"ChannelTwice", "\n1,14074000,USB,Simplex,off,0,OFF,\n",
                "line 4: column channel: channel 1 is listed twice"},
        BadRows{"ClarifierBeyond", "2,7074000,USB,Simplex,on,10000,OFF,\n",
                "line 3: column clarifier offset: \"10000\" is not an offset from -9999 to 9999 Hz"},
        BadRows{"ClarifierNotOnOff", "2,7074000,USB,Simplex,yes,0,OFF,\n",
                "line 3: column clarifier: \"yes\" is not on or off"},
        BadRows{"UnknownShift", "2,7074000,USB,Up,off,0,OFF,\n",
                "line 3: column shift: \"Up\" is not Simplex, Plus Shift or Minus Shift"},
        BadRows{"UnknownTone", "2,7074000,USB,Simplex,off,0,TSQ,\n",
                "line 3: column tone: \"TSQ\" is not OFF, ENC/DEC, ENC or DCS"},
        BadRows{"MissingColumn", "2,7074000,USB,Simplex,off,0,OFF\n", "line 3: 7 columns, not 8"},
        BadRows{"OpenQuote", "2,7074000,USB,Simplex,off,0,OFF,\"TAG\n", "line 3: a quote is left open"},
        BadRows{"MoreThan99", hundredRows(), "line 101: more than 99 channels"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChannelsCsv, RefusesFilesThatAreNoChannelList) {
    EXPECT_EQ(ReadChannelsCsv("").problem, "the file is empty");
    EXPECT_EQ(
        ReadChannelsCsv("Channel,Frequency\n1,7074000\n").problem,
        "line 1: the header is not \"channel,frequency,mode,shift,clarifier,clarifier offset,tone,tag\"");
    EXPECT_EQ(ReadChannelsCsv(std::string(2 << 20, 'x')).problem,
              "the file is 2097152 bytes long, more than 99 channels take");
}

} // namespace
