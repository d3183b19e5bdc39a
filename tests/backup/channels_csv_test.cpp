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

// Every mode, shift and tone, a negative clarifier, and tags with a comma and a quote.
TEST(ChannelsCsv, RoundTripKeepsEveryField) {
    std::vector<ChannelRecord> channels;
    const int modes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
    for (int i = 0; i < 12; ++i)
        channels.push_back({i + 1, 7000000 + i * 1000, -i * 100, i % 2, modes[i], i % 3, (i + 1) % 3, 0, ""});
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

// The radio reports FM-N as 10 or 11 and pads tags with blanks: the file says FM_N and the tag.
TEST(ChannelsCsv, WritesTheRadiosOddities) {
    const std::string csv = Backup::WriteChannelsCsv({{3, 28500000, 0, 0, 10, 0, 0, 1, "10M FM      "}});
    EXPECT_EQ(csv, header + "3,28500000,FM_N,Simplex,off,0,OFF,10M FM\n");
    const Backup::ReadChannels read = ReadChannelsCsv(csv + "\r\n\n");
    ASSERT_EQ(read.channels.size(), 1u);
    EXPECT_EQ(read.channels[0].mode, 11);
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
                "line 3: column tone: \"TSQ\" is not OFF, ENC/DEC or ENC"},
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
