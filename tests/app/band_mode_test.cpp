// The per band and mode memory of DNR and width, and the contour memory, in a real state.db.

#include "tests/app/fixture.h"

#include <QStatusBar>

#include <fmt/format.h>

namespace {

using Access = CorvaneTestAccess;
using Rows = std::vector<std::vector<std::string>>;

class BandModeTest : public FrontPanelTest {
protected:
    Rows stored() const {
        return query(
            "select band, mode, dnr_enabled, dnr_value, width_value from band_mode_settings order by id");
    }
    void store(int band, int mode, int dnrEnabled, int dnrValue, int width) {
        execute(fmt::format("insert into band_mode_settings(band, mode, dnr_enabled, dnr_value, width_value) "
                            "values({},{},{},{},{});",
                            band, mode, dnrEnabled, dnrValue, width));
    }
    // The panel shows the CW wide list with `index` selected, as after an SH answer.
    void showWidth(int modeIndex, int index) {
        window->ui.cbMode->setCurrentIndex(modeIndex);
        window->ui.cbWidth->clear();
        window->ui.cbWidth->addItems(
            {"500 Hz", "800 Hz", "1200 Hz", "1400 Hz", "1700 Hz", "2000 Hz", "2400 Hz", "3000 Hz"});
        window->ui.cbWidth->setCurrentIndex(index);
    }
};

} // namespace

TEST_F(BandModeTest, SaveInsertsOnceThenUpdates) {
    Corvane& w = *window;
    w.ui.cbBand->setCurrentIndex(5);
    showWidth(3, 4);
    w.ui.DNR->setValue(7);
    Access::dnrEnabled(w) = 1;

    w.SaveBandModeSettings(5, 3);
    EXPECT_EQ(stored(), (Rows{{"5", "3", "1", "7", "4"}}));
    w.ui.DNR->setValue(9);
    w.ui.cbWidth->setCurrentIndex(6);
    Access::dnrEnabled(w) = 0;
    w.SaveBandModeSettings(5, 3);
    EXPECT_EQ(stored(), (Rows{{"5", "3", "0", "9", "6"}}));
    // -1 stands for the current band and mode.
    w.SaveBandModeSettings(-1, -1);
    w.SaveBandModeSettings(5, -1);
    EXPECT_EQ(stored(), (Rows{{"5", "3", "0", "9", "6"}}));
    w.SaveBandModeSettings(3, 3);
    EXPECT_EQ(stored(), (Rows{{"5", "3", "0", "9", "6"}, {"3", "3", "0", "9", "6"}}));

    // With no mode shown there is no pair to save.
    w.ui.cbMode->setCurrentIndex(-1);
    w.SaveBandModeSettings(-1, -1);
    w.SaveBandModeSettings(7, 1);
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_TRUE(w.HasBandModeSettings(3, 3));
    EXPECT_FALSE(w.HasBandModeSettings(3, 4));
}

TEST_F(BandModeTest, RestoreSendsTheStoredValues) {
    struct Case {
        const char* name;
        int mode;
        int narrowOn;
        int dnrEnabled, dnrValue, width;
        const char* sent;
        int widthShown;
    };
    const Case cases[] = {
        {"CWL wide with DNR on", 3, 0, 1, 7, 2, "RL007;SH0112;NR01;AC;", 2},
        {"CWL narrow", 3, 1, 1, 7, 2, "RL007;SH0103;NR01;AC;", 2},
        {"USB wide, DNR off stays as the radio has it", 1, 0, 0, 3, 5, "RL003;SH0114;AC;", 5},
        {"USB narrow", 1, 1, 0, 3, 5, "RL003;SH0106;AC;", 5},
        {"the narrowest width", 2, 0, 0, 3, 0, "RL003;SH0109;AC;", 0},
        {"DATA wide", 9, 0, 0, 15, 7, "RL015;SH0117;AC;", 7},
        {"no width shown when stored", 5, 0, 1, 12, -1, "RL012;NR01;AC;", 4},
    };
    Corvane& w = *window;
    // The message stands for a second only, which a slow machine may take to carry the bytes.
    QStringList messages;
    QObject::connect(w.statusBar(), &QStatusBar::messageChanged,
                     [&messages](const QString& message) { messages << message; });
    int band = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store(band, c.mode, c.dnrEnabled, c.dnrValue, c.width);
        showWidth(c.mode, 4);
        Access::narrowOn(w) = c.narrowOn;
        Access::dnrEnabled(w) = 0;
        traceLines.clear();
        w.statusBar()->clearMessage();
        messages.clear();
        w.RestoreBandModeSettings(band, c.mode);
        EXPECT_EQ(radioReceives("AC;", 5000), c.sent);
        EXPECT_EQ(w.ui.cbWidth->currentIndex(), c.widthShown);
        EXPECT_EQ(Access::dnrEnabled(w), c.dnrEnabled);
        EXPECT_TRUE(messages.contains("Updating radio from Database")) << messages.join(" | ").toStdString();
        ASSERT_GE(traceLines.size(), 2u);
        EXPECT_EQ(traceLines[0], "Update from database: BEGIN\r\n");
        EXPECT_EQ(traceLines[1], fmt::format("Sending RL0{:02};\r\n", c.dnrValue));
        ++band;
    }
}

TEST_F(BandModeTest, RestoreOfAPairNeverSeenStoresTheCurrentValues) {
    Corvane& w = *window;
    showWidth(3, 2);
    {
        const QSignalBlocker asReported(w.ui.DNR);
        w.ui.DNR->setValue(5);
    }
    w.RestoreBandModeSettings(4, 3);
    EXPECT_EQ(radioReceivesFor(200), "");
    EXPECT_EQ(stored(), (Rows{{"4", "3", "0", "5", "2"}}));
    EXPECT_EQ(Access::restore(w).phase(), BandModeRestore::Phase::Idle);
    w.RestoreBandModeSettings(4, 3);
    EXPECT_EQ(stored().size(), 1u);
}

// Reading the radio, a restore only works out the width offset; the read-back stores the
// radio's own values, the restore at its end sends them, and its closing AC answer ends the wait.
TEST_F(BandModeTest, RestoreDuringTheReadBackSendsNothing) {
    Corvane& w = *window;
    store(5, 1, 1, 9, 3);
    Access::narrowOn(w) = 1;
    Access::widthOffset(w) = 0;
    radioSends("PS1;");
    ASSERT_EQ(radioReceives("IF;"), "IF;");
    ASSERT_TRUE(Access::readBackInProgress(w));
    // A band change while reading: only the chain's next read goes out.
    radioSends("IF001014074000+000000100000;");
    EXPECT_EQ(radioReceivesFor(200), "OI;");
    EXPECT_EQ(Access::widthOffset(w), 1);
    EXPECT_EQ(w.ui.cbBand->currentText(), "14");
    // The chain's NR answer finds no restore under way and leaves the window disabled.
    Access::awaitRead(w, "NR0;");
    radioSends("NR01;");
    EXPECT_EQ(radioReceivesFor(200), "OS0;");
    EXPECT_FALSE(w.isEnabled());
    Access::awaitRead(w, "SH0;");
    radioSends("SH0004;");
    EXPECT_EQ(radioReceivesFor(200), "SQ0;");

    Access::awaitRead(w, "VX;");
    radioSends("VX0;");
    EXPECT_EQ(radioReceives("AC;", 1000), "RL001;SH0104;NR01;AC;");
    EXPECT_FALSE(w.isEnabled());
    radioSends("AC000;");
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(stored(), (Rows{{"5", "1", "1", "1", "3"}}));
}

TEST_F(BandModeTest, ContourSettingsRoundTrip) {
    Corvane& w = *window;
    EXPECT_FALSE(w.LoadContourSettings());
    EXPECT_EQ(radioReceivesFor(200), "");

    Access::contourEnabled(w) = 1;
    Access::contourFrequency(w) = 1600;
    Access::contourLevel(w) = -10;
    Access::contourWidth(w) = 5;
    w.SaveContourSettings();
    EXPECT_EQ(
        query("select id, contour_enabled, contour_level, contour_freq, contour_width from contour_settings"),
        (Rows{{"1", "1", "-10", "1600", "5"}}));
    Access::contourFrequency(w) = 800;
    Access::contourLevel(w) = 20;
    w.SaveContourSettings();
    EXPECT_EQ(
        query("select id, contour_enabled, contour_level, contour_freq, contour_width from contour_settings"),
        (Rows{{"1", "1", "20", "800", "5"}}));

    Access::contourEnabled(w) = Access::contourFrequency(w) = Access::contourLevel(w) =
        Access::contourWidth(w) = 0;
    EXPECT_TRUE(w.LoadContourSettings());
    EXPECT_EQ(Access::contourEnabled(w), 1);
    EXPECT_EQ(Access::contourFrequency(w), 800);
    EXPECT_EQ(Access::contourLevel(w), 20);
    EXPECT_EQ(Access::contourWidth(w), 5);
    EXPECT_EQ(radioReceives("EX1203;", 1000), "CO000001;CO010800;EX120305;EX1202+20;CO01;EX1202;EX1203;");
}

// Against the simulated radio: the stored DNR and width come back on a band or mode change,
// and the radio's echo of them does not overwrite what is stored.
TEST_F(SimulatorPanelTest, BandAndModeChangesBringBackTheStoredSettings) {
    Corvane& w = *window;
    // The read-back stored the radio's own settings for 14 MHz USB.
    ASSERT_EQ(w.ui.cbBand->currentText(), "14");
    ASSERT_EQ(w.ui.cbMode->currentText(), "USB");
    EXPECT_EQ(query("select band, mode, width_value from band_mode_settings"), (Rows{{"5", "1", "5"}}));
    execute("insert into band_mode_settings(band, mode, dnr_enabled, dnr_value, width_value) "
            "values(3, 1, 1, 12, 3), (5, 3, 1, 9, 2);");

    // Band 7.0: the radio moves, and then gets the stored level, width and DNR switch.
    focus(w.ui.cbBand);
    w.ui.cbBand->setCurrentIndex(3);
    emit w.ui.cbBand->activated(3);
    ASSERT_TRUE(simulatorReceives("SH0;"));
    settle();
    EXPECT_EQ(simulator.value("RL0;"), 12);
    EXPECT_EQ(simulator.value("SH0;"), 12);
    EXPECT_EQ(simulator.value("NR0;"), 1);
    EXPECT_EQ(w.ui.VFO->text(), "7.074.000");
    EXPECT_EQ(w.ui.cbWidth->currentText(), "2200 Hz");

    // Back to 14 MHz: its width comes back.
    simulator.clearReceived();
    w.ui.cbBand->setCurrentIndex(5);
    emit w.ui.cbBand->activated(5);
    ASSERT_TRUE(simulatorReceives("SH0;"));
    settle();
    EXPECT_EQ(simulator.value("SH0;"), 14);
    EXPECT_EQ(w.ui.cbWidth->currentText(), "2400 Hz");

    // CWL on 14 MHz: the radio first reports its own width, then gets the stored one.
    simulator.clearReceived();
    focus(w.ui.cbMode);
    emit w.ui.cbMode->activated(3);
    ASSERT_TRUE(simulatorReceives("AC;"));
    settle();
    EXPECT_EQ(simulator.value("MD0;"), 3);
    EXPECT_EQ(simulator.value("SH0;"), 12);
    EXPECT_EQ(simulator.value("RL0;"), 9);
    EXPECT_EQ(w.ui.cbMode->currentText(), "CWL");
    EXPECT_EQ(w.ui.cbWidth->currentText(), "1200 Hz");

    // One row per pair, and the stored widths are the ones restored.
    EXPECT_EQ(query("select band, mode, width_value from band_mode_settings order by band, mode"),
              (Rows{{"3", "1", "3"}, {"5", "1", "5"}, {"5", "3", "2"}}));
}

// The radio's BAND key: its frequency report comes first, then its width on the new band, and
// only then the IF answer that moves cbBand. The new band's width never lands on the old band.
TEST_F(BandModeTest, BandChangeAtTheRadioStoresUnderTheNewBand) {
    Corvane& w = *window;
    radioSends("IF001014074000+000000200000;SH0014;");
    ASSERT_EQ(w.ui.cbBand->currentText(), "14");
    ASSERT_EQ(w.ui.cbMode->currentText(), "USB");
    EXPECT_EQ(stored(), (Rows{{"5", "1", "0", "1", "5"}}));

    radioSends("FA007074000;");
    EXPECT_EQ(radioReceives("IF;", 1000), "IF;");
    radioSends("SH0010;");
    EXPECT_EQ(w.ui.cbWidth->currentText(), "1950 Hz");
    EXPECT_EQ(stored(), (Rows{{"5", "1", "0", "1", "5"}}));
    radioSends("IF001007074000+000000200000;");
    EXPECT_EQ(w.ui.cbBand->currentText(), "7.0");
    EXPECT_EQ(stored(), (Rows{{"5", "1", "0", "1", "5"}, {"3", "1", "0", "1", "1"}}));
}

namespace {
// The end of a read-back played by hand on 14 MHz USB, whose stored pair the restore sends.
class RestoreEndTest : public BandModeTest {
protected:
    void endReadBack() {
        playReadBackEnd("IF001014074000+000000200000;");
        ASSERT_EQ(radioReceives("AC;", 1000), "RL012;SH0114;NR01;AC;");
        ASSERT_FALSE(window->isEnabled());
    }
};
} // namespace

// The restore's closing AC read refused by the radio, or never answered: the window is usable
// all the same, and the next width report is the operator's again.
TEST_F(RestoreEndTest, RestoreEndsWhenItsClosingReadIsRefusedOrLost) {
    store(5, 1, 1, 12, 5);
    for (const char* reply : {"?;", ""}) {
        SCOPED_TRACE(*reply ? "refused" : "lost");
        endReadBack();
        if (*reply)
            radioSends(reply);
        EXPECT_TRUE(runEventsUntil([this] { return window->isEnabled(); }, 3000));
        radioSends("SH0016;");
        EXPECT_EQ(stored(), (Rows{{"5", "1", "1", "12", "7"}}));
        EXPECT_EQ(radioReceivesFor(200), "");
        EXPECT_EQ(Access::restore(*window).phase(), BandModeRestore::Phase::Idle);
        execute("update band_mode_settings set width_value = 5;");
    }
}

// LSB → USB from the panel changes only the BFO menu item, not the mode code: the radio sends no
// width report, so USB's stored settings go out at once; the operator's next turn of the WIDTH
// knob on the radio is then taken as it is, not undone.
TEST_F(SimulatorPanelTest, SidebandChangeRestoresAtOnceAndLeavesTheWidthKnobAlone) {
    Corvane& w = *window;
    focus(w.ui.cbMode);
    emit w.ui.cbMode->activated(0);
    EXPECT_TRUE(runEventsUntil([&] { return w.ui.cbMode->currentText() == "LSB"; }, 2000));
    simulator.waitForQuiet(std::chrono::milliseconds(200), std::chrono::seconds(3),
                           [] { QApplication::processEvents(QEventLoop::AllEvents, 5); });
    execute("update band_mode_settings set width_value = 8 where band = 5 and mode = 1;");
    simulator.clearReceived();

    emit w.ui.cbMode->activated(1);
    ASSERT_TRUE(simulatorReceives("AC;"));
    settle();
    EXPECT_EQ(simulatorCommands().front(), "EX11070;");
    EXPECT_EQ(simulator.value("SH0;"), 17);
    EXPECT_EQ(w.ui.cbMode->currentText(), "USB");

    simulator.clearReceived();
    simulator.operate("SH0016;");
    EXPECT_TRUE(runEventsUntil([&] { return w.ui.cbWidth->currentText() == "2600 Hz"; }, 2000));
    simulator.waitForQuiet(std::chrono::milliseconds(300), std::chrono::seconds(3),
                           [] { QApplication::processEvents(QEventLoop::AllEvents, 5); });
    EXPECT_TRUE(simulatorCommands().empty());
    EXPECT_EQ(simulator.value("SH0;"), 16);
    EXPECT_EQ(query("select width_value from band_mode_settings where band = 5 and mode = 1"), (Rows{{"7"}}));
}
