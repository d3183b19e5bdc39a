// The radio's reports of frequencies, VFO/memory state, mode, band and width on the panel.

#include "tests/app/fixture.h"

#include <fmt/format.h>

#include <optional>

namespace {

using Access = CorvaneTestAccess;

// An IF (or OI) answer: channel field, frequency, clarifier offset, mode code, VFO/memory.
std::string information(const char* mnemonic, int hertz, int clarifier = 0, int mode = 2, int vfoMemory = 0,
                        const char* channel = "001") {
    return fmt::format("{}{}{:09}{:+05}00{:X}{}0000;", mnemonic, channel, hertz, clarifier, mode, vfoMemory);
}

// The radio reports, and the window's writes in reply are collected (replyTo).
class AnswerTest : public FrontPanelTest {};

} // namespace

TEST_F(AnswerTest, FrequencyAnswersGoWhereTheVfoStateSays) {
    struct Case {
        const char* name;
        const char* vfoType;
        const char* answer;
        const char* vfo;  // VFO line afterwards
        const char* vfoB; // VFOB line afterwards
        const char* sent;
    };
    const Case cases[] = {
        {"VFO A asks for the mode and band", "A", "FA014074000;", "14.074.000", "-", "IF;"},
        {"a memory shown: VFO A goes below", "M5", "FA014074000;", "-", "14.074.000", "IF;"},
        {"below one megahertz", "A", "FA000500000;", "0.500.000", "-", "IF;"},
        {"top of the range", "A", "FA056000000;", "56.000.000", "-", "IF;"},
        {"VFO B", "A", "FB007074000;", "-", "7.074.000", ""},
        {"a negative frequency is dropped", "A", "FA-00000010;", "-", "-", ""},
        {"a garbled frequency is dropped", "A", "FAabc;", "-", "-", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->ui.VFOType->setText(c.vfoType);
        window->ui.VFO->setText("-");
        window->ui.VFOB->setText("-");
        EXPECT_EQ(replyTo(c.answer), c.sent);
        EXPECT_EQ(window->ui.VFO->text(), c.vfo);
        EXPECT_EQ(window->ui.VFOB->text(), c.vfoB);
    }
    // While stored band settings are on their way, FA answers ask for nothing.
    Access::restoreMovedBand(*window);
    EXPECT_EQ(replyTo("FA007074000;"), "");
}

TEST_F(AnswerTest, InformationAnswerShowsTheVfoOrMemoryState) {
    struct Case {
        const char* name;
        int vfoMemory;
        const char* channel;
        const char* vfoType;
        const char* labelB;
        const char* sent;
    };
    const Case cases[] = {
        {"VFO", 0, "001", "A", "B", ""},
        {"memory channel", 1, "012", "M12", "-", "MT012;"},
        {"programmable scan channel", 1, "P3U", "M105", "-", "MTP3U;"},
        {"emergency channel", 1, "EMG", "M600", "-", "MTEMG;"},
        {"memory tune", 2, "012", "MT", "-", ""},
        {"quick memory bank", 3, "007", "QMB 007", "-", ""},
        {"quick memory tune", 4, "007", "QMT", "-", ""},
        {"programmable scan", 5, "001", "PMS", "-", ""},
        {"home channel", 6, "001", "HOME", "-", ""},
        {"unknown state keeps the label", 7, "001", "?", "-", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->ui.VFOType->setText("?");
        window->ui.lblB->setText("-");
        EXPECT_EQ(replyTo(information("IF", 14074000, 0, 2, c.vfoMemory, c.channel)), c.sent);
        EXPECT_EQ(window->ui.VFOType->text(), c.vfoType);
        EXPECT_EQ(window->ui.lblB->text(), c.labelB);
        EXPECT_EQ(window->ui.VFO->text(), "14.074.000");
    }

    // The clarifier offset, in hertz.
    const std::pair<int, const char*> offsets[] = {
        {-20, "-20Hz"}, {0, "0Hz"}, {150, "150Hz"}, {-9999, "-9999Hz"}};
    for (const auto& [offset, text] : offsets) {
        replyTo(information("IF", 7074000, offset));
        EXPECT_EQ(window->ui.lblClarifierValue->text(), text) << offset;
    }
}

TEST_F(AnswerTest, BandLookupAtTheBandEdges) {
    const std::pair<int, const char*> cases[] = {
        {30000, "GEN"},   {1799999, "GEN"},  {1800000, "1.8"},  {2000000, "1.8"},  {2000001, "GEN"},
        {3500000, "3.5"}, {4000000, "3.5"},  {5300000, "5.0"},  {5405000, "5.0"},  {5405001, "GEN"},
        {6999999, "GEN"}, {7000000, "7.0"},  {7300000, "7.0"},  {7300001, "GEN"},  {10100000, "10"},
        {10150000, "10"}, {14000000, "14"},  {14350000, "14"},  {14350001, "GEN"}, {18068000, "18"},
        {18168000, "18"}, {21000000, "21"},  {21450000, "21"},  {24890000, "24"},  {24990000, "24"},
        {28000000, "28"}, {29700000, "28"},  {29700001, "GEN"}, {49999999, "GEN"}, {50000000, "50"},
        {54000000, "50"}, {54000001, "GEN"},
    };
    for (const auto& [hertz, band] : cases) {
        replyTo(information("IF", hertz));
        EXPECT_EQ(window->ui.cbBand->currentText(), band) << hertz;
    }

    // A held mouse button leaves the band as it is; a hidden band box (another page shown)
    // follows the radio all the same.
    pressMouse();
    replyTo(information("IF", 7074000));
    EXPECT_EQ(window->ui.cbBand->currentText(), "GEN");
    releaseMouse();
    window->ui.cbBand->hide();
    replyTo(information("IF", 7074000));
    EXPECT_EQ(window->ui.cbBand->currentText(), "7.0");
    window->ui.cbBand->show();
    replyTo(information("IF", 14074000));
    EXPECT_EQ(window->ui.cbBand->currentText(), "14");
}

TEST_F(AnswerTest, OppositeInformationShowsVfoB) {
    replyTo(information("IF", 14074000));
    EXPECT_EQ(replyTo(information("OI", 7074000)), "");
    EXPECT_EQ(window->ui.VFOB->text(), "7.074.000");
    EXPECT_EQ(window->ui.cbBand->currentText(), "14");

    // With VFO B on VFO A's frequency, its report looks the band up again.
    replyTo(information("OI", 14074000));
    window->ui.cbBand->setCurrentIndex(0);
    replyTo(information("OI", 14074000));
    EXPECT_EQ(window->ui.cbBand->currentText(), "14");
}

TEST_F(AnswerTest, ModeAnswersPickTheModeByTheSideband) {
    struct Case {
        const char* name;
        int modeCode;
        int bfo; // of the mode's family
        const char* mode;
        bool widthEnabled, widthLabelEnabled, voxShown;
        std::optional<bool> zeroInShown; // nothing: left as it was
    };
    const Case cases[] = {
        {"LSB", 0x1, 1, "LSB", true, true, true, false},
        {"USB", 0x2, 0, "USB", true, true, true, false},
        {"SSB", 0x2, 2, "SSB", true, true, true, false},
        {"CW lower", 0x3, 1, "CWL", true, true, false, true},
        {"CW upper", 0x7, 0, "CWU", true, true, false, true},
        {"CW", 0x3, 2, "CW", true, true, false, true},
        {"RTTY lower", 0x6, 1, "R-L", true, true, true, false},
        {"RTTY upper", 0x9, 0, "R-U", true, true, true, false},
        {"DATA lower", 0x8, 1, "D-L", true, true, true, false},
        {"DATA upper", 0xC, 0, "D-U", true, false, true, false},
        {"FM", 0x4, 0, "FM", false, false, true, std::nullopt},
        {"AM", 0x5, 0, "AM", false, false, true, std::nullopt},
        {"FM narrow", 0xB, 0, "FM-N", false, false, true, std::nullopt},
        {"AM narrow", 0xD, 0, "AM-N", false, false, true, std::nullopt},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        for (bool zeroInBefore : {false, true}) {
            SCOPED_TRACE(c.name);
            Access::ssbBfo(w) = Access::cwBfo(w) = Access::rttyBfo(w) = Access::dataBfo(w) = c.bfo;
            w.ui.cbMode->setCurrentIndex(13);
            replyTo(fmt::format("MD0{:X};", c.modeCode));
            w.ui.bnZeroIn->setVisible(zeroInBefore);
            replyTo(fmt::format("MD0{:X};", c.modeCode));
            EXPECT_EQ(w.ui.cbMode->currentText(), c.mode);
            EXPECT_EQ(w.ui.cbWidth->isEnabled(), c.widthEnabled);
            EXPECT_EQ(w.ui.lbcbWidth->isEnabled(), c.widthLabelEnabled);
            EXPECT_EQ(w.ui.btnVox->isVisible(), c.voxShown);
            EXPECT_EQ(w.ui.bnZeroIn->isVisible(), c.zeroInShown.value_or(zeroInBefore));
        }
    }

    // A sideband value the family does not have, and an unlisted mode, keep the mode shown.
    Access::rttyBfo(w) = 2;
    replyTo("MD06;");
    EXPECT_EQ(w.ui.cbMode->currentText(), "AM-N");
    replyTo("MD0A;");
    EXPECT_EQ(w.ui.cbMode->currentText(), "AM-N");
    // The same mode code comes in an IF answer.
    Access::ssbBfo(w) = 1;
    replyTo(information("IF", 7074000, 0, 0x1));
    EXPECT_EQ(w.ui.cbMode->currentText(), "LSB");
}

TEST_F(AnswerTest, WidthAnswersShowTheListOfTheMode) {
    struct Step {
        int modeIndex;
        int narrowOn;
        int widthCode;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int items;
        const char* first;
        const char* selected; // "" for no selection
    };
    const Case cases[] = {
        {"CW wide", {{5, 0, 12}}, 8, "500 Hz", "1200 Hz"},
        {"CW narrow", {{3, 1, 1}}, 10, "50 Hz", "50 Hz"},
        {"SSB wide", {{1, 0, 9}}, 13, "1800 Hz", "1800 Hz"},
        {"SSB wide top", {{0, 0, 21}}, 13, "1800 Hz", "3200 Hz"},
        {"SSB narrow", {{1, 1, 4}}, 9, "200 Hz", "850 Hz"},
        {"SSB narrow at the shared code", {{2, 1, 9}}, 9, "200 Hz", "1800 Hz"},
        {"RTTY wide", {{6, 0, 17}}, 8, "500 Hz", "3000 Hz"},
        {"DATA wide", {{9, 0, 10}}, 8, "500 Hz", "500 Hz"},
        {"DATA narrow", {{8, 1, 10}}, 10, "50 Hz", "500 Hz"},
        {"SSB wide with a narrow code keeps the list", {{1, 1, 4}, {1, 0, 5}}, 9, "200 Hz", "1100 Hz"},
        {"SSB narrow with a wide code keeps the list", {{1, 0, 9}, {1, 1, 12}}, 13, "1800 Hz", "2200 Hz"},
        {"AM keeps the list of the mode before", {{5, 0, 12}, {10, 0, 13}}, 8, "500 Hz", "1400 Hz"},
        {"AM with a code beyond that list", {{5, 0, 12}, {10, 0, 3}}, 8, "500 Hz", ""},
        {"FM narrow keeps it too", {{3, 1, 5}, {13, 1, 2}}, 10, "50 Hz", "100 Hz"},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const Step& step : c.steps) {
            w.ui.cbMode->setCurrentIndex(step.modeIndex);
            Access::narrowOn(w) = step.narrowOn;
            EXPECT_EQ(replyTo(fmt::format("SH00{:02};", step.widthCode)), "");
        }
        EXPECT_EQ(w.ui.cbWidth->count(), c.items);
        EXPECT_EQ(w.ui.cbWidth->itemText(0), c.first);
        EXPECT_EQ(w.ui.cbWidth->currentText(), c.selected);
        EXPECT_TRUE(w.ui.cbWidth->isEnabled());
    }
    // Each width shown is stored for its pair: ten modes on one band, one row each.
    EXPECT_EQ(query("select count(*) from band_mode_settings"),
              (std::vector<std::vector<std::string>>{{"10"}}));

    // The keyboard focus stays where the operator left it.
    focus(w.ui.VFO);
    replyTo("SH0012;");
    EXPECT_TRUE(w.ui.VFO->hasFocus());

    // A hidden width box (another page shown) shows and stores the radio's width all the same,
    // and sends nothing.
    w.ui.cbWidth->clear();
    w.ui.cbWidth->hide();
    w.ui.cbBand->setCurrentIndex(3);
    w.ui.cbMode->setCurrentIndex(3);
    Access::narrowOn(w) = 0;
    EXPECT_EQ(replyTo("SH0012;"), "");
    EXPECT_EQ(w.ui.cbWidth->currentText(), "1200 Hz");
    EXPECT_EQ(query("select width_value from band_mode_settings where band = 3 and mode = 3"),
              (std::vector<std::vector<std::string>>{{"2"}}));
}

// Answers that carry nothing for the panel change nothing and send nothing.
TEST_F(AnswerTest, NoActionAnswers) {
    window->ui.VFO->setText("-");
    for (const char* answer : {"MC001;", "MR;", "MW;", "PB01;", "TS0;"}) {
        EXPECT_EQ(replyTo(answer), "") << answer;
        EXPECT_EQ(window->ui.VFO->text(), "-") << answer;
    }
    traceLines.clear();
    replyTo("MD02;");
    replyTo("?;");
    EXPECT_NE(std::find(traceLines.begin(), traceLines.end(), "unknown after MD02; was sent!\r\n"),
              traceLines.end());
}
