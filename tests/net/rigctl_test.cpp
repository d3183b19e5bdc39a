// The rigctld protocol without a socket: request lines in, exact answer bytes and the sets
// for the radio out.
#include "net/rigctl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Rigctl::Action;

namespace {

Rigctl::RadioState radio() {
    Rigctl::RadioState state;
    state.frequencyA = 14074000;
    state.frequencyB = 14076500;
    state.mode = "PKTUSB";
    state.passband = 3000;
    state.split = true;
    state.transmitting = false;
    state.af = 0.5;
    state.rf = 1.0;
    state.squelch = 0.25;
    state.rfPower = 0.35;
    state.strength = -12;
    return state;
}

Action frequency(long long hertz, bool vfoB = false) {
    Action a;
    a.kind = Action::Kind::Frequency;
    a.hertz = hertz;
    a.vfoB = vfoB;
    return a;
}
Action mode(const std::string& name, int passband) {
    Action a;
    a.kind = Action::Kind::Mode;
    a.mode = name;
    a.passband = passband;
    return a;
}
Action onOff(Action::Kind kind, bool on) {
    Action a;
    a.kind = kind;
    a.on = on;
    return a;
}
Action level(const std::string& name, double value) {
    Action a;
    a.kind = Action::Kind::Level;
    a.level = name;
    a.value = value;
    return a;
}

struct Exchange {
    const char* name;
    const char* request;
    const char* answer;
    std::vector<Action> actions;
};

void PrintTo(const Exchange& e, std::ostream* out) {
    *out << e.name;
}

class Requests : public ::testing::TestWithParam<Exchange> {};

TEST_P(Requests, AnswerAndSets) {
    Rigctl::Session session;
    const Rigctl::Reply reply = Rigctl::respond(GetParam().request, radio(), session);
    EXPECT_EQ(reply.text, GetParam().answer);
    EXPECT_EQ(reply.actions, GetParam().actions);
    EXPECT_FALSE(reply.close);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(DefaultForm, Requests, ::testing::Values(
    Exchange{"check_vfo",              "\\chk_vfo",                "0\n", {}},
    Exchange{"power_status",           "\\get_powerstat",          "1\n", {}},
    Exchange{"frequency",              "f",                        "14074000\n", {}},
    Exchange{"frequency_crlf",         "f\r",                      "14074000\n", {}},
    Exchange{"frequency_long_name",    "\\get_freq",               "14074000\n", {}},
    Exchange{"set_frequency",          "F 7074000",                "RPRT 0\n", {frequency(7074000)}},
    Exchange{"set_frequency_decimal",  "F 7074000.000000",         "RPRT 0\n", {frequency(7074000)}},
    Exchange{"set_frequency_exponent", "F 7.0745e6",               "RPRT 0\n", {frequency(7074500)}},
    Exchange{"set_frequency_fraction", "F 14074000.5",             "RPRT 0\n", {frequency(14074000)}},
    Exchange{"set_frequency_fraction_high", "F 14074000.9",        "RPRT 0\n", {frequency(14074000)}},
    Exchange{"set_frequency_long",     "\\set_freq 3573000",       "RPRT 0\n", {frequency(3573000)}},
    Exchange{"mode",                   "m",                        "PKTUSB\n3000\n", {}},
    Exchange{"set_mode",               "M PKTUSB 3000",            "RPRT 0\n", {mode("PKTUSB", 3000)}},
    Exchange{"set_mode_keep_width",    "M CWR -1",                 "RPRT 0\n", {mode("CWR", -1)}},
    Exchange{"set_mode_width_fraction", "M USB 2400.7",            "RPRT 0\n", {mode("USB", 2400)}},
    Exchange{"set_mode_data_fm_name",  "M FM-D 0",                 "RPRT 0\n", {mode("PKTFM", 0)}},
    Exchange{"vfo",                    "v",                        "VFOA\n", {}},
    Exchange{"set_vfo",                "V VFOB",                   "RPRT 0\n", {}},
    Exchange{"ptt",                    "t",                        "0\n", {}},
    Exchange{"key",                    "T 1",                      "RPRT 0\n", {onOff(Action::Kind::Ptt, true)}},
    Exchange{"key_data",               "T 3",                      "RPRT 0\n", {onOff(Action::Kind::Ptt, true)}},
    Exchange{"unkey",                  "T 0",                      "RPRT 0\n", {onOff(Action::Kind::Ptt, false)}},
    Exchange{"split",                  "s",                        "1\nVFOB\n", {}},
    Exchange{"set_split",              "S 1 VFOB",                 "RPRT 0\n", {onOff(Action::Kind::Split, true)}},
    Exchange{"split_off",              "S 0 VFOA",                 "RPRT 0\n", {onOff(Action::Kind::Split, false)}},
    Exchange{"split_frequency",        "i",                        "14076500\n", {}},
    Exchange{"set_split_frequency",    "I 14080000",               "RPRT 0\n", {frequency(14080000, true)}},
    Exchange{"split_mode",             "x",                        "PKTUSB\n3000\n", {}},
    Exchange{"set_split_mode",         "X USB 2400",               "RPRT 0\n", {mode("USB", 2400)}},
    Exchange{"strength",               "l STRENGTH",               "-12\n", {}},
    Exchange{"af",                     "l AF",                     "0.500000\n", {}},
    Exchange{"rf",                     "l RF",                     "1.000000\n", {}},
    Exchange{"squelch",                "l SQL",                    "0.250000\n", {}},
    Exchange{"power",                  "l RFPOWER",                "0.350000\n", {}},
    Exchange{"set_af",                 "L AF 0.75",                "RPRT 0\n", {level("AF", 0.75)}},
    Exchange{"set_power",              "L RFPOWER 0.1",            "RPRT 0\n", {level("RFPOWER", 0.1)}},
    Exchange{"vfo_info",               "\\get_vfo_info VFOB",      "14076500\nPKTUSB\n3000\n1\n0\n", {}},
    Exchange{"lock_mode",              "\\get_lock_mode",          "0\n", {}},
    Exchange{"tab_separated",          "F\t7074000",               "RPRT 0\n", {frequency(7074000)}},
    Exchange{"surrounding_spaces",     "  f  ",                    "14074000\n", {}}
), [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(ExtendedForm, Requests, ::testing::Values(
    Exchange{"frequency",              "+f",                       "get_freq:\nFrequency: 14074000\nRPRT 0\n", {}},
    Exchange{"frequency_semicolon",    ";f",                       "get_freq:;Frequency: 14074000;RPRT 0\n", {}},
    Exchange{"frequency_bar",          "|f",                       "get_freq:|Frequency: 14074000|RPRT 0\n", {}},
    Exchange{"set_frequency",          ";F 7074000",               "set_freq: 7074000;RPRT 0\n", {frequency(7074000)}},
    Exchange{"mode",                   "+m",                       "get_mode:\nMode: PKTUSB\nPassband: 3000\nRPRT 0\n", {}},
    Exchange{"set_mode",               ";M USB 2400",              "set_mode: USB 2400;RPRT 0\n", {mode("USB", 2400)}},
    Exchange{"vfo",                    ";v",                       "get_vfo:;VFO: VFOA;RPRT 0\n", {}},
    Exchange{"ptt",                    ";t",                       "get_ptt:;PTT: 0;RPRT 0\n", {}},
    Exchange{"key",                    ";T 1",                     "set_ptt: 1;RPRT 0\n", {onOff(Action::Kind::Ptt, true)}},
    Exchange{"split",                  ";s",                       "get_split_vfo:;Split: 1;TX VFO: VFOB;RPRT 0\n", {}},
    Exchange{"set_split",              ";S 1 VFOB",                "set_split_vfo: 1 VFOB;RPRT 0\n", {onOff(Action::Kind::Split, true)}},
    Exchange{"split_frequency",        ";i",                       "get_split_freq:;TX Frequency: 14076500;RPRT 0\n", {}},
    Exchange{"split_mode",             ";x",                       "get_split_mode:;TX Mode: PKTUSB;TX Passband: 3000;RPRT 0\n", {}},
    Exchange{"level",                  ";l AF",                    "get_level: AF;0.500000;RPRT 0\n", {}},
    Exchange{"strength",               "+l STRENGTH",              "get_level: STRENGTH\n-12\nRPRT 0\n", {}},
    Exchange{"set_level",              ";L SQL 0.5",               "set_level: SQL 0.5;RPRT 0\n", {level("SQL", 0.5)}},
    Exchange{"power_status",           ";\\get_powerstat",         "get_powerstat:;Power Status: 1;RPRT 0\n", {}},
    Exchange{"check_vfo",              "+\\chk_vfo",               "ChkVFO: 0\n", {}},
    Exchange{"check_vfo_semicolon",    ";\\chk_vfo",               "ChkVFO: 0\n\n", {}},
    Exchange{"check_vfo_bar",          "|\\chk_vfo",               "ChkVFO: 0\n\n", {}},
    Exchange{"vfo_info",               ";\\get_vfo_info VFOA",     "get_vfo_info: VFOA;Freq: 14074000;Mode: PKTUSB;Width: 3000;Split: 1;SatMode: 0;RPRT 0\n", {}},
    Exchange{"lock_mode",              ";\\get_lock_mode",         "get_lock_mode:;Locked: 0;RPRT 0\n", {}},
    Exchange{"refused_set",            ";F 99",                    "set_freq: 99;RPRT -1\n", {}},
    Exchange{"refused_level",          "+l MICGAIN",               "get_level: MICGAIN\nRPRT -11\n", {}}
), [](const auto& info) { return std::string(info.param.name); });

// One-letter commands follow each other with or without blanks; each takes its arguments' words
// and the next word starts the next command. Each command has its own form prefix.
INSTANTIATE_TEST_SUITE_P(SeveralOnOneLine, Requests, ::testing::Values(
    Exchange{"two_reads",              "fm",                       "14074000\nPKTUSB\n3000\n", {}},
    Exchange{"poll",                   "fmv",                      "14074000\nPKTUSB\n3000\nVFOA\n", {}},
    Exchange{"poll_extended_first",    "+fmv",                     "get_freq:\nFrequency: 14074000\nRPRT 0\nPKTUSB\n3000\nVFOA\n", {}},
    Exchange{"poll_semicolon_first",   ";fm",                      "get_freq:;Frequency: 14074000;RPRT 0\nPKTUSB\n3000\n", {}},
    Exchange{"prefix_on_the_second",   "f+m",                      "14074000\nget_mode:\nMode: PKTUSB\nPassband: 3000\nRPRT 0\n", {}},
    Exchange{"with_split_mode",        "fmx",                      "14074000\nPKTUSB\n3000\nPKTUSB\n3000\n", {}},
    Exchange{"blanks_between",         "f m  v",                   "14074000\nPKTUSB\n3000\nVFOA\n", {}},
    Exchange{"set_then_read",          "F 14195000 v",             "RPRT 0\nVFOA\n", {frequency(14195000)}},
    Exchange{"two_sets",               "F 7074000 M USB 2400",     "RPRT 0\nRPRT 0\n", {frequency(7074000), mode("USB", 2400)}},
    Exchange{"argument_without_blank", "F7074000 m",               "RPRT 0\nPKTUSB\n3000\n", {frequency(7074000)}},
    Exchange{"key_then_unkey",         "T 1 T 0",                  "RPRT 0\nRPRT 0\n", {onOff(Action::Kind::Ptt, true), onOff(Action::Kind::Ptt, false)}},
    Exchange{"vfo_choice_then_read",   "V VFOB f",                 "RPRT 0\n14076500\n", {}},
    Exchange{"read_then_long_name",    "f\\chk_vfo",               "14074000\n0\n", {}},
    Exchange{"long_name_then_read",    "\\chk_vfo f",              "0\n14074000\n", {}},
    Exchange{"refused_set_then_read",  "F abc f",                  "RPRT -1\n14074000\n", {}},
    Exchange{"read_with_argument",     "f VFOA",                   "14074000\nRPRT -1\n", {}},
    Exchange{"missing_arguments_last", "fM",                       "14074000\nRPRT -1\n", {}},
    Exchange{"unknown_ends_the_line",  "fzm",                      "14074000\nRPRT -11\n", {}},
    Exchange{"too_many_arguments",     "F 7074000 7075000",        "RPRT 0\nRPRT -11\n", {frequency(7074000)}}
), [](const auto& info) { return std::string(info.param.name); });

// Neither kind closes the connection, and neither sends anything to the radio.
INSTANTIATE_TEST_SUITE_P(MalformedAndUnknown, Requests, ::testing::Values(
    Exchange{"unknown_letter",         "z",                        "RPRT -11\n", {}},
    Exchange{"unknown_long_name",      "\\set_lock_mode 1",        "RPRT -11\n", {}},
    Exchange{"unknown_extended",       "+\\send_morse CQ",         "RPRT -11\n", {}},
    Exchange{"binary_garbage",         "\x01\xff\x7f",             "RPRT -11\n", {}},
    Exchange{"frequency_not_a_number", "F abc",                    "RPRT -1\n", {}},
    Exchange{"frequency_missing",      "F",                        "RPRT -1\n", {}},
    Exchange{"frequency_trailing",     "F 7074000x",               "RPRT -1\n", {}},
    Exchange{"frequency_below_radio",  "F 29999",                  "RPRT -1\n", {}},
    Exchange{"frequency_above_radio",  "F 56000001",               "RPRT -1\n", {}},
    Exchange{"frequency_not_finite",   "F nan",                    "RPRT -1\n", {}},
    Exchange{"mode_unknown",           "M WFM 0",                  "RPRT -1\n", {}},
    Exchange{"mode_without_passband",  "M USB",                    "RPRT -1\n", {}},
    Exchange{"passband_negative",      "M USB -5",                 "RPRT -1\n", {}},
    Exchange{"vfo_unknown",            "V VFOC",                   "RPRT -1\n", {}},
    Exchange{"ptt_out_of_range",       "T 4",                      "RPRT -1\n", {}},
    Exchange{"ptt_word",               "T on",                     "RPRT -1\n", {}},
    Exchange{"split_bad_state",        "S 2 VFOB",                 "RPRT -1\n", {}},
    Exchange{"split_bad_vfo",          "S 1 VFOX",                 "RPRT -1\n", {}},
    Exchange{"split_missing_vfo",      "S 1",                      "RPRT -1\n", {}},
    Exchange{"level_missing",          "l",                        "RPRT -1\n", {}},
    Exchange{"level_not_served",       "l MICGAIN",                "RPRT -11\n", {}},
    Exchange{"level_read_only",        "L STRENGTH 0.5",           "RPRT -11\n", {}},
    Exchange{"level_above_one",        "L AF 1.5",                 "RPRT -1\n", {}},
    Exchange{"level_negative",         "L AF -0.1",                "RPRT -1\n", {}},
    Exchange{"vfo_info_bad_vfo",       "\\get_vfo_info Main",      "RPRT -1\n", {}},
    Exchange{"prefix_alone",           "+",                        "RPRT -1\n", {}},
    Exchange{"empty_line",             "",                         "", {}},
    Exchange{"blank_line",             "  \r",                     "", {}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The client's first request: a block it parses line by line, ended by "done".
TEST(DumpState, LayoutTheClientParses) {
    Rigctl::Session session;
    const std::string text = Rigctl::respond("\\dump_state", radio(), session).text;
    EXPECT_EQ(text, Rigctl::dumpState());
    EXPECT_EQ(text.rfind("1\n2\n0\n30000.000000 56000000.000000 0x1dbf -1 -1 0x3 0x1\n0 0 0 0 0 0 0\n", 0),
              0u);
    ASSERT_GE(text.size(), 5u);
    EXPECT_EQ(text.substr(text.size() - 5), "done\n");
}

// "V VFOB" points this connection's f, F and get_vfo_info at VFO B; "currVFO" keeps it.
TEST(Session, VfoChoiceFollowsTheConnection) {
    Rigctl::Session session;
    const Rigctl::RadioState state = radio();
    EXPECT_EQ(Rigctl::respond("V VFOB", state, session).text, "RPRT 0\n");
    EXPECT_EQ(Rigctl::respond("v", state, session).text, "VFOB\n");
    EXPECT_EQ(Rigctl::respond("f", state, session).text, "14076500\n");
    EXPECT_EQ(Rigctl::respond("F 14070000", state, session).actions,
              std::vector<Action>{frequency(14070000, true)});
    EXPECT_EQ(Rigctl::respond("V currVFO", state, session).text, "RPRT 0\n");
    EXPECT_EQ(Rigctl::respond("\\get_vfo_info currVFO", state, session).text.substr(0, 9), "14076500\n");
    EXPECT_EQ(Rigctl::respond("V VFOA", state, session).text, "RPRT 0\n");
    EXPECT_EQ(Rigctl::respond("f", state, session).text, "14074000\n");
    // Another connection has its own choice.
    Rigctl::Session other;
    EXPECT_EQ(Rigctl::respond("v", state, other).text, "VFOA\n");
}

// With the radio's port closed the reads still answer; the sets fail and send nothing.
TEST(PortClosed, SetsFailReadsAnswer) {
    Rigctl::RadioState state = radio();
    state.portOpen = false;
    struct Case {
        const char* request;
        const char* answer;
    };
    const Case cases[] = {{"F 7074000", "RPRT -6\n"},
                          {";T 1", "set_ptt: 1;RPRT -6\n"},
                          {"M USB 0", "RPRT -6\n"},
                          {"L AF 0.5", "RPRT -6\n"},
                          {"F 1", "RPRT -1\n"},
                          {"V VFOB", "RPRT 0\n"},
                          {"f", "14074000\n"},
                          {"F 7074000 f", "RPRT -6\n14074000\n"},
                          {"S 1 VFOA s", "RPRT -6\n1\nVFOB\n"}};
    for (const Case& c : cases) {
        Rigctl::Session session;
        const Rigctl::Reply reply = Rigctl::respond(c.request, state, session);
        EXPECT_EQ(reply.text, c.answer) << c.request;
        EXPECT_TRUE(reply.actions.empty()) << c.request;
    }
}

// "q" is answered, then closes; what follows it on the line is not served.
TEST(Quit, AnswersThenCloses) {
    struct Case {
        const char* line;
        const char* answer;
        std::vector<Action> actions;
    };
    const Case cases[] = {
        {"q", "RPRT 0\n", {}},
        {"Q", "RPRT 0\n", {}},
        {"\\quit", "RPRT 0\n", {}},
        {"+q", "RPRT 0\n", {}},
        {";q", "RPRT 0\n", {}},
        {"fq", "14074000\nRPRT 0\n", {}},
        {"qf", "RPRT 0\n", {}},
        {"q F 7074000", "RPRT 0\n", {}},
        {"F 7074000 q", "RPRT 0\nRPRT 0\n", {frequency(7074000)}},
    };
    for (const Case& c : cases) {
        Rigctl::Session session;
        const Rigctl::Reply reply = Rigctl::respond(c.line, radio(), session);
        EXPECT_TRUE(reply.close) << c.line;
        EXPECT_EQ(reply.text, c.answer) << c.line;
        EXPECT_EQ(reply.actions, c.actions) << c.line;
    }
}

// "s" reports the transmit VFO the connection set, with split on or off.
TEST(Session, SplitReportsTheTransmitVfoSet) {
    struct Case {
        const char* set;
        bool radioSplit;
        const char* read;
        const char* answer;
    };
    const Case cases[] = {
        {"S 1 VFOA", true, "s", "1\nVFOA\n"},
        {"S 1 VFOA", true, "+s", "get_split_vfo:\nSplit: 1\nTX VFO: VFOA\nRPRT 0\n"},
        {"S 1 VFOB", true, "s", "1\nVFOB\n"},
        {"S 0 VFOB", false, "s", "0\nVFOB\n"},
        {"S 0 VFOA", false, "s", "0\nVFOA\n"},
        {"S 1 VFOX", true, "s", "1\nVFOB\n"},
        {"", false, "s", "0\nVFOA\n"},
    };
    for (const Case& c : cases) {
        Rigctl::Session session;
        Rigctl::RadioState state = radio();
        Rigctl::respond(c.set, state, session);
        state.split = c.radioSplit;
        EXPECT_EQ(Rigctl::respond(c.read, state, session).text, c.answer) << c.set;
    }
}

// The requests of one line, each with its prefix and its arguments.
TEST(LineCutting, RequestsInTurn) {
    struct Case {
        const char* line;
        std::vector<std::string> requests;
    };
    const Case cases[] = {
        {"+fmv", {"+f", "m", "v"}},
        {"F7074000 m", {"F 7074000", "m"}},
        {"F7074000m", {"F 7074000m"}},
        {" \\chk_vfo\tf ", {"\\chk_vfo", "f"}},
        {"M USB 2400;m", {"M USB 2400;m"}},
        {"M USB 2400 ;m", {"M USB 2400", ";m"}},
        {"fzm", {"f", "z"}},
        {"fqm", {"f", "q"}},
        {"M USB", {"M USB"}},
        {"f +", {"f", "+"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rigctl::requests(c.line), c.requests) << c.line;
}

} // namespace
