// The General page's level sliders and IF shift: the bytes the operator's moves send.

#include "tests/app/fixture.h"

namespace {

class LevelTest : public FrontPanelTest {
protected:
    std::string sentBy(const std::function<void()>& action) {
        radio.readAvailable();
        action();
        return radioReceivesUntilQuiet();
    }
};

} // namespace

TEST_F(LevelTest, SlidersSendTheirValue) {
    struct Case {
        const char* name;
        QSlider* Ui::CorvaneClass::*slider;
        int value;
        const char* sent;
    };
    const Case cases[] = {
        {"AF gain", &Ui::CorvaneClass::Volume, 200, "AG0200;"},
        {"RF gain to its top", &Ui::CorvaneClass::RFGain, 30, "RG0030;"},
        {"squelch", &Ui::CorvaneClass::Squelch, 55, "SQ0055;"},
        {"monitor level", &Ui::CorvaneClass::MON, 40, "ML1040;"},
        {"noise blanker level", &Ui::CorvaneClass::NBLvl, 6, "NL0006;"},
        {"noise reduction level", &Ui::CorvaneClass::DNR, 9, "RL009;"},
        {"microphone gain sends nothing", &Ui::CorvaneClass::MicGain, 70, ""},
        {"processor level sends nothing", &Ui::CorvaneClass::Comp, 70, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sentBy([&] { (window->ui.*c.slider)->setValue(c.value); }), c.sent);
    }
    EXPECT_EQ(sentBy([&] { window->OnMicGainChanged(70); }), "MG070;");
}

TEST_F(LevelTest, NoiseReductionLevelIsStoredForTheBandAndMode) {
    Corvane& w = *window;
    w.ui.cbBand->setCurrentIndex(4);
    w.ui.cbMode->setCurrentIndex(2);
    w.SaveBandModeSettings(-1, -1);
    const auto storedLevel = [&] {
        const auto rows = query("select dnr_value from band_mode_settings where band = 4 and mode = 2");
        return rows.size() == 1 ? rows[0][0] : "";
    };
    // A drag: every step is sent, the last one is stored.
    EXPECT_EQ(sentBy([&] {
                  for (int level = 5; level <= 11; ++level)
                      w.ui.DNR->setValue(level);
              }),
              "RL005;RL006;RL007;RL008;RL009;RL010;RL011;");
    EXPECT_TRUE(runEventsUntil([&] { return storedLevel() == "11"; }, 3000)) << storedLevel();
    // The radio's own report of a new level is kept as well, and sent nowhere.
    EXPECT_EQ(replyTo("RL004;"), "");
    EXPECT_TRUE(runEventsUntil([&] { return storedLevel() == "4"; }, 3000)) << storedLevel();
    // A band change right after a turn leaves the old band's level alone.
    replyTo("RL006;");
    w.ui.cbBand->setCurrentIndex(5);
    EXPECT_TRUE(runEventsUntil([&] { return !CorvaneTestAccess::dnrSavePending(w); }, 3000));
    EXPECT_EQ(storedLevel(), "4");
    w.ui.cbBand->setCurrentIndex(4);

    // Out of sight, the slider is set, not moved: nothing is sent or stored.
    w.ui.tabWidget->setCurrentIndex(1);
    EXPECT_EQ(sentBy([&] { w.ui.DNR->setValue(13); }), "");
    EXPECT_FALSE(CorvaneTestAccess::dnrSavePending(w));
    EXPECT_EQ(storedLevel(), "4");
}

TEST_F(LevelTest, IfShiftSendsWholeSteps) {
    Corvane& w = *window;
    EXPECT_EQ(sentBy([&] { w.ui.ckIFShift->setChecked(true); }), "IS01+0000;");
    EXPECT_TRUE(w.ui.hsIFShift->isEnabled());
    struct Case {
        const char* name;
        int dragged;
        int shown;
        const char* sent;
    };
    const Case cases[] = {
        {"on a step", 100, 100, "IS01+0100;"},
        {"between steps moves away from zero", 30, 40, "IS01+0040;"},
        {"below zero too", -30, -40, "IS01-0040;"},
        {"one past a step", 1, 20, "IS01+0020;"},
        {"the top", 1200, 1200, "IS01+1200;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sentBy([&] { w.ui.hsIFShift->setValue(c.dragged); }), c.sent);
        EXPECT_EQ(w.ui.hsIFShift->value(), c.shown);
        EXPECT_EQ(w.ui.ckIFShift->text().toStdString(), "IFShift: " + std::to_string(c.shown));
    }
    EXPECT_EQ(sentBy([&] { w.ui.ckIFShift->setChecked(false); }), "IS00+1200;");
    EXPECT_EQ(w.ui.ckIFShift->text(), "IFShift");
}
