// The one mode table: every code the radio reports appears once and in order, each name leads
// back to its own code, and the codes that are no mode find nothing.

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "cat/modes.h"

namespace {

using namespace Yaesu::Commands::FT891;

TEST(Modes, EveryCodeOnceInOrderAndEveryNameLeadsBack) {
    ASSERT_EQ(modeCount, 13);
    std::set<std::string_view> editorNames, panelNames;
    for (int i = 0; i < modeCount; ++i) {
        const Mode& mode = modes[i];
        SCOPED_TRACE(std::string(mode.panel));
        EXPECT_EQ(mode.code, i + 1);
        EXPECT_EQ(ModeOfCode(mode.code), &mode);
        EXPECT_EQ(ModeNamed(mode.editor), &mode);
        EXPECT_EQ(ModeNamed(mode.panel), &mode);
        EXPECT_TRUE(editorNames.insert(mode.editor).second);
        EXPECT_TRUE(panelNames.insert(mode.panel).second);
    }
}

// Code A is DATA-FM (the radio's FM-N is B): each side names them apart.
TEST(Modes, DataFmAndNarrowFmAreTwoModes) {
    const Mode* dataFm = ModeOfCode(0xA);
    const Mode* narrowFm = ModeOfCode(0xB);
    ASSERT_TRUE(dataFm && narrowFm);
    EXPECT_EQ(dataFm->panel, "DATA-FM");
    EXPECT_EQ(dataFm->editor, "DATA_FM");
    EXPECT_EQ(narrowFm->panel, "FM-N");
    EXPECT_EQ(narrowFm->editor, "FM_N");
}

TEST(Modes, CodesAndNamesOfNoModeFindNothing) {
    for (int code : {-1, 0, 0xE, 0xF, 16})
        EXPECT_EQ(ModeOfCode(code), nullptr) << code;
    for (const char* name : {"", "FT8", "PKTFM", "fm_n", "DATA_FM "})
        EXPECT_EQ(ModeNamed(name), nullptr) << name;
}

} // namespace
