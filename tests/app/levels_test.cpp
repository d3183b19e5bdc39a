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
    EXPECT_EQ(sentBy([&] { w.ui.DNR->setValue(11); }), "RL011;");
    EXPECT_EQ(query("select dnr_value from band_mode_settings where band = 4 and mode = 2"),
              (std::vector<std::vector<std::string>>{{"11"}}));
    // The radio's own report of a new level is kept as well, and sent nowhere.
    EXPECT_EQ(replyTo("RL004;"), "");
    EXPECT_EQ(query("select dnr_value from band_mode_settings where band = 4 and mode = 2"),
              (std::vector<std::vector<std::string>>{{"4"}}));

    // Out of sight, the slider is set, not moved: nothing is sent or stored.
    w.ui.tabWidget->setCurrentIndex(1);
    EXPECT_EQ(sentBy([&] { w.ui.DNR->setValue(13); }), "");
    EXPECT_EQ(query("select dnr_value from band_mode_settings where band = 4 and mode = 2"),
              (std::vector<std::vector<std::string>>{{"4"}}));
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
