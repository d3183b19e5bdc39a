// The record of the radio follows its answers whatever page is shown, and the band/mode memory
// follows the record: a page other than General never makes the window lose or undo a report.

#include "tests/app/fixture.h"

#include <QSignalSpy>

namespace Radio {
void PrintTo(const Width& width, std::ostream* out) {
    *out << "code " << width.code << ", " << width.hertz << " Hz";
}
} // namespace Radio

namespace {

using Access = CorvaneTestAccess;
using Rows = std::vector<std::vector<std::string>>;
using Radio::Field;

class RadioRecordTest : public FrontPanelTest {
protected:
    // 14 MHz USB at 2400 Hz, reported while the General page is shown.
    void SetUp() override {
        FrontPanelTest::SetUp();
        radioSends("IF001014074000+000000200000;SH0014;");
        ASSERT_EQ(window->ui.cbWidth->currentText(), "2400 Hz");
        ASSERT_EQ(stored(), (Rows{{"5", "1", "0", "1", "5"}}));
    }
    Rows stored() const {
        return query(
            "select band, mode, dnr_enabled, dnr_value, width_value from band_mode_settings order by id");
    }
    void showMiscPage() { window->ui.tabWidget->setCurrentWidget(window->ui.misc); }
    void showGeneralPage() { window->ui.tabWidget->setCurrentWidget(window->ui.tab); }
};

} // namespace

// The WIDTH knob turned at the radio while the Misc page is shown: the record, the hidden width
// box and the band/mode memory all take the new width, and nothing goes back to the radio.
TEST_F(RadioRecordTest, WidthReportedOnAnotherPageIsKept) {
    Corvane& w = *window;
    QSignalSpy changes(&Access::radio(w), &Radio::RadioState::changed);
    showMiscPage();
    radioSends("SH0010;");
    EXPECT_EQ(radioReceivesUntilQuiet(), "");

    const Radio::RadioState& radio = Access::radio(w);
    EXPECT_EQ(radio.line.reported(Radio::Line::Lost), Radio::Line::Open);
    ASSERT_TRUE(radio.width.known());
    EXPECT_FALSE(radio.width.pending());
    EXPECT_EQ(radio.width.reported(), (Radio::Width{10, 1950}));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).value<Field>(), Field::Width);
    EXPECT_EQ(stored(), (Rows{{"5", "1", "0", "1", "1"}}));
    showGeneralPage();
    EXPECT_EQ(w.ui.cbWidth->currentText(), "1950 Hz");

    // Switched off, the radio's values are unknown until it reports them again.
    radioSends("PS0;");
    EXPECT_FALSE(radio.width.known());
    EXPECT_FALSE(radio.frequencyA.known());
    ASSERT_TRUE(radio.powerOn.known());
    EXPECT_FALSE(radio.powerOn.reported());
}

// A read-back while the Misc page is shown (a reconnect, a radio back from silence) stores the
// radio's own width, so the restore at its end sends that width, not the one shown before.
TEST_F(RadioRecordTest, ReadBackOnAnotherPageRestoresTheRadiosWidth) {
    Corvane& w = *window;
    showMiscPage();
    radioSends("PS1;");
    ASSERT_EQ(radioReceives("IF;"), "IF;");
    radioSends("IF001014074000+000000200000;");
    ASSERT_EQ(radioReceives("OI;"), "OI;");
    Access::awaitRead(w, "SH0;");
    radioSends("SH0010;");
    EXPECT_EQ(radioReceives("SQ0;", 1000), "SQ0;");
    EXPECT_EQ(stored(), (Rows{{"5", "1", "0", "1", "1"}}));

    Access::awaitRead(w, "VX;");
    radioSends("VX0;");
    EXPECT_EQ(radioReceives("AC;", 1000), "RL001;SH0110;AC;");
    radioSends("AC000;");
    EXPECT_TRUE(w.isEnabled());
    EXPECT_EQ(Access::radio(w).width.reported().hertz, 1950);
}

// A frequency report for another band while the Misc page is shown (the radio's own BAND key,
// or a network client tuning it) moves Band and brings that band's stored settings.
TEST_F(RadioRecordTest, FrequencyOnAnotherBandWhileAnotherPageIsShownAppliesItsMemory) {
    Corvane& w = *window;
    execute("insert into band_mode_settings(band, mode, dnr_enabled, dnr_value, width_value) "
            "values(3, 1, 1, 12, 3);");
    showMiscPage();
    radioSends("FA007074000;");
    ASSERT_EQ(radioReceives("IF;", 1000), "IF;");
    radioSends("IF001007074000+000000200000;");
    EXPECT_EQ(radioReceives("AC;", 1000), "RL012;SH0112;NR01;AC;");
    EXPECT_EQ(w.ui.cbBand->currentText(), "7.0");
    EXPECT_EQ(Access::radio(w).band.reported(), 3);
    radioSends("AC000;SH0012;RL012;NR01;");
    EXPECT_EQ(Access::restore(w).phase(), BandModeRestore::Phase::Idle);
    EXPECT_EQ(query("select band, mode, width_value from band_mode_settings order by band"),
              (Rows{{"3", "1", "3"}, {"5", "1", "5"}}));
}

// A mode change still waiting for its width report when the radio is switched off is over:
// a late width report restores nothing, and neither does the wait's time-out.
TEST_F(RadioRecordTest, PowerOffEndsAModeChangesWait) {
    Corvane& w = *window;
    execute("insert into band_mode_settings(band, mode, dnr_enabled, dnr_value, width_value) "
            "values(5, 3, 1, 9, 2);");
    playReadBackEnd("IF001014074000+000000200000;");
    ASSERT_EQ(radioReceives("AC;", 1000), "RL001;SH0114;AC;");
    radioSends("AC000;");
    ASSERT_TRUE(w.isEnabled());
    focus(w.ui.cbMode);
    emit w.ui.cbMode->activated(3);
    ASSERT_EQ(radioReceives("MD03;", 1000), "EX07071;MD03;");
    EXPECT_EQ(Access::restore(w).phase(), BandModeRestore::Phase::WaitingForWidth);
    radioSends("PS0;");
    EXPECT_EQ(Access::restore(w).phase(), BandModeRestore::Phase::Idle);
    radioSends("SH0012;");
    EXPECT_EQ(radioReceivesUntilQuiet(1200), "");
}

// The panel follows the record: a clarifier offset reported while another page is shown
// shows at once and sends nothing; a radio switched off leaves the last offset on show.
TEST_F(RadioRecordTest, ClarifierLabelFollowsTheRecord) {
    Corvane& w = *window;
    showMiscPage();
    radioSends("IF001014074000-002000200000;");
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
    EXPECT_EQ(Access::radio(w).clarifier.reported(), (Radio::Clarifier{false, -20}));
    EXPECT_EQ(w.ui.lblClarifierValue->text(), "-20Hz");
    radioSends("PS0;");
    EXPECT_FALSE(Access::radio(w).clarifier.known());
    EXPECT_EQ(w.ui.lblClarifierValue->text(), "-20Hz");
}
