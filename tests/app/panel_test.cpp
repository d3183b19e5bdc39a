// The operator's actions on the front panel and the exact bytes they send.

#include "tests/app/fixture.h"

#include "app/panel/frequency_text.h"

#include <QStatusBar>
#include <QtTest/QTest>

#include <fmt/format.h>

#include <optional>

namespace {

using Access = CorvaneTestAccess;

void paint(QWidget* button, const char* colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, QColor(colour));
    button->setPalette(palette);
}

class PanelTest : public FrontPanelTest {
protected:
    // Runs an operator action and returns what the radio end received for it.
    std::string sentBy(const std::function<void()>& action) {
        radio.readAvailable();
        action();
        return radioReceivesUntilQuiet();
    }
    // Moves a dial to `position` as a drag would; the same position is first left quietly.
    static void turn(QDial* dial, int position) {
        if (dial->value() == position) {
            const QSignalBlocker quiet(dial);
            dial->setValue((position + 1) % 100);
        }
        dial->setValue(position);
    }
};

} // namespace

TEST(TypedFrequency, TextsTheOperatorTypes) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"7.100.000", 7100000},
        {"14.074.000", 14074000},
        {"0.500.000", 500000},
        {"14074000", 14074000},
        {"14.074", 14074000},
        {"7,1", 7100000},
        {"14.0745", 14074500},
        {" 7.074 ", 7074000},
        {".5", 500000},
        {"7.", 7000000},
        {"56.000.000", 56000000},
        {"56,000001", std::nullopt},
        {"30000", 30000},
        {"0,03", 30000},
        {"29999", std::nullopt},
        {"0.029.999", std::nullopt},
        {"56", std::nullopt},
        {"1.2.3", std::nullopt},
        {"7.100,000", std::nullopt},
        {"7,100,000", std::nullopt},
        {"7.0740001", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {".", std::nullopt},
        {"7 100 000", std::nullopt},
        {"-7.1", std::nullopt},
        {"+14074000", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"\u0667.1", std::nullopt},
    };
    for (const auto& [text, hertz] : cases)
        EXPECT_EQ(ParseTypedFrequency(QString::fromUtf8(text)), hertz) << text;
}

TEST_F(PanelTest, TypedFrequencyIsSentOrRefused) {
    struct Case {
        const char* name;
        bool vfoB;
        const char* text;
        const char* sent; // "" with a status bar message
    };
    const Case cases[] = {
        {"display form", false, "7.100.000", "FA007100000;IF;"},
        {"plain hertz", false, "14074000", "FA014074000;IF;"},
        {"megahertz", false, "14.074", "FA014074000;IF;"},
        {"megahertz with a comma, VFO B", true, "7,1", "FB007100000;OI;"},
        {"display form, VFO B", true, "21.074.000", "FB021074000;OI;"},
        {"letters", true, "abc", ""},
        {"empty", false, "", ""},
        {"below 30 kHz", false, "20000", ""},
        {"above 56 MHz", true, "144.300", ""},
        {"blanks between digits", false, "7 100 000", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QLineEdit* edit = c.vfoB ? window->ui.VFOB : window->ui.VFO;
        edit->setText(c.text);
        window->statusBar()->clearMessage();
        EXPECT_EQ(sentBy([&] { QTest::keyClick(edit, Qt::Key_Return); }), c.sent);
        EXPECT_EQ(window->statusBar()->currentMessage().isEmpty(), *c.sent != '\0');
        EXPECT_EQ(edit->text(), c.text);
    }
}

TEST_F(PanelTest, VfoADialSteps) {
    struct Case {
        const char* name;
        bool fast;
        int modeIndex;
        QComboBox* Ui_CorvaneClass::*stepSetting;
        int stepIndex;
        unsigned int hertz;
        int previous;
        std::vector<int> positions;
        const char* sent;
    };
    using U = Ui_CorvaneClass;
    const Case cases[] = {
        {"FST, first movement rounds down and steps",
         true,
         1,
         &U::cbSSBDialStep,
         0,
         14074037,
         0,
         {10, 11},
         "FA014074100;FA014074200;"},
        {"FST, turned back rounds the result",
         true,
         1,
         &U::cbSSBDialStep,
         0,
         14074037,
         10,
         {9},
         "FA014073900;"},
        {"LSB with the 5 Hz SSB step",
         false,
         0,
         &U::cbSSBDialStep,
         1,
         7074000,
         20,
         {21, 22, 21},
         "FA007074005;FA007074010;FA007074005;"},
        {"CW with the 10 Hz dial step",
         false,
         5,
         &U::cbDialDialStep,
         2,
         7030000,
         50,
         {51, 49},
         "FA007030010;FA007030000;"},
        {"DATA with the 2 Hz dial step", false, 9, &U::cbDialDialStep, 0, 7074000, 50, {51}, "FA007074002;"},
        {"AM with the 100 Hz step", false, 10, &U::cbAmDialStep, 1, 7200000, 50, {51}, "FA007200100;"},
        {"AM-N with the 10 Hz step", false, 11, &U::cbAmDialStep, 0, 7200000, 50, {49}, "FA007199990;"},
        {"FM with the 5 Hz step", false, 12, &U::cbFmDialStep, 1, 29600000, 50, {51}, "FA029600005;"},
        {"wrap from 99 to 0 steps down, then up as a first movement",
         false,
         1,
         &U::cbSSBDialStep,
         2,
         7074000,
         99,
         {0, 1},
         "FA007073990;FA007074000;"},
        {"the same position sends the frequency again",
         false,
         1,
         &U::cbSSBDialStep,
         2,
         7074000,
         30,
         {30},
         "FA007074000;"},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        paint(w.ui.btnFST, c.fast ? "green" : "gray");
        w.ui.cbMode->setCurrentIndex(c.modeIndex);
        (w.ui.*c.stepSetting)->setCurrentIndex(c.stepIndex);
        Access::vfoAFrequency(w) = c.hertz;
        Access::dialAPrevious(w) = c.previous;
        Access::restDials(w);
        EXPECT_EQ(sentBy([&] {
                      for (int p : c.positions)
                          turn(w.ui.dial_VFOA, p);
                  }),
                  c.sent);
    }
}

TEST_F(PanelTest, VfoBDialSteps) {
    struct Case {
        const char* name;
        bool fast;
        const char* modeB;
        unsigned int hertz;
        int previous;
        std::vector<int> positions;
        const char* sent;
    };
    const Case cases[] = {
        {"CW steps 5 Hz", false, "CW", 7030000, 40, {41, 40}, "FB007030005;FB007030000;"},
        {"other modes step 10 Hz", false, "USB", 7074000, 40, {41, 42}, "FB007074010;FB007074020;"},
        {"FST steps 100 Hz without rounding", true, "CW", 7074037, 40, {41}, "FB007074137;"},
        {"the first movement always steps up",
         false,
         "USB",
         7074000,
         0,
         {50, 40},
         "FB007074010;FB007074000;"},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        paint(w.ui.btnFST, c.fast ? "green" : "gray");
        w.ui.lblVFOBMode->setText(c.modeB);
        Access::vfoBFrequency(w) = c.hertz;
        Access::dialBPrevious(w) = c.previous;
        Access::restDials(w);
        EXPECT_EQ(sentBy([&] {
                      for (int p : c.positions)
                          turn(w.ui.dial_VFOB, p);
                  }),
                  c.sent);
    }
}

TEST_F(PanelTest, ButtonsSendTheirCommands) {
    struct Case {
        QPushButton* Ui_CorvaneClass::*button;
        const char* sent;
    };
    using U = Ui_CorvaneClass;
    const Case cases[] = {
        {&U::btnUp, "CH0;"},
        {&U::btnDn, "CH1;"},
        {&U::btnAtoM, "AM;"},
        {&U::btnSwapVandM, "VM;"},
        {&U::bnZeroIn, "ZI;"},
        {&U::btnClearClarifier, "RC;"},
        {&U::btnAB, "SV;"},
        {&U::btnMtoA, ""},
        // A ► B stores the pair it has never seen; B ► A then restores it.
        {&U::btnAtoB, "AB;"},
        {&U::btnBtoA, "BA;RL001;AC;"},
    };
    Access::restoreMovedBand(*window);
    for (const Case& c : cases) {
        QPushButton* button = window->ui.*c.button;
        button->setEnabled(true);
        EXPECT_EQ(sentBy([&] { button->click(); }), c.sent) << button->objectName().toStdString();
    }
    // A/B asks for the band again with the next FA answer.
    EXPECT_FALSE(Access::restore(*window).holdsInformationReads());
}

TEST_F(PanelTest, SplitAndQuickSplit) {
    Corvane& w = *window;
    w.ui.VFOB->setText("7.074.000");
    const std::pair<const char*, const char*> splitPresses[] = {
        {"ST1;", "green"}, {"AB;FB007078000;ST2;", "blue"}, {"AB;ST0;", nullptr}, {"ST1;", "green"}};
    for (const auto& [sent, colour] : splitPresses) {
        EXPECT_EQ(sentBy([&] { w.ui.btnSPL->click(); }), sent);
        EXPECT_EQ(colourOf(w.ui.btnSPL), colour ? QColor(colour) : w.palette().color(QPalette::Button));
    }
    // VFO B shows no frequency: the split goes on without moving it.
    w.ui.VFOB->clear();
    EXPECT_EQ(sentBy([&] { w.ui.btnSPL->click(); }), "AB;ST2;");

    // Quick split remembers VFO B, as last reported, and puts it back when switched off.
    radioSends("FB007074000;");
    EXPECT_EQ(sentBy([&] { w.ui.btnQSPL->click(); }), "QS;");
    EXPECT_EQ(colourOf(w.ui.btnQSPL), QColor("green"));
    radioSends("OI001007079000+000000200000;");
    EXPECT_EQ(sentBy([&] { w.ui.btnQSPL->click(); }), "ST0;FB007074000;");
    EXPECT_EQ(colourOf(w.ui.btnQSPL), w.palette().color(QPalette::Button));
}

TEST_F(PanelTest, Clarifier) {
    Corvane& w = *window;
    const std::initializer_list<QWidget*> controls = {w.ui.label_15, w.ui.cbClarSelect,
                                                      w.ui.lblClarifierValue, w.ui.dial_Clarifier,
                                                      w.ui.btnClearClarifier};
    EXPECT_EQ(sentBy([&] { w.ui.ckClarEnabled->setChecked(true); }), "CF010;");
    for (QWidget* control : controls)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();

    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(sentBy([&] { emit w.ui.cbClarSelect->activated(index); }), fmt::format("EX0518{};", index));

    // Positions set by the program send nothing.
    radioSends("IF001007074000+002010200000;");
    EXPECT_EQ(sentBy([&] { turn(w.ui.dial_Clarifier, 35); }), "");

    // While the dial is dragged, it walks the offset toward its position in 5 Hz steps.
    struct Drag {
        int offset;
        int position;
        const char* sent;
    };
    const Drag drags[] = {{20, 25, "RU0005;"}, {20, 15, "RD0005;"}, {20, 20, ""}, {0, 0, "CF000;"}};
    pressMouse();
    for (const Drag& d : drags) {
        radioSends(fmt::format("IF001007074000{:+05}10200000;", d.offset));
        EXPECT_EQ(sentBy([&] { turn(w.ui.dial_Clarifier, d.position); }), d.sent)
            << d.offset << " " << d.position;
    }
    releaseMouse();

    EXPECT_EQ(sentBy([&] { w.ui.ckClarEnabled->setChecked(false); }), "CF000;");
    for (QWidget* control : controls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
}

TEST_F(PanelTest, ModeChoicesSendTheSidebandThenTheMode) {
    const char* expected[] = {"EX11071;MD01;", "EX11070;MD01;", "EX11072;MD01;", "EX07071;MD03;",
                              "EX07070;MD03;", "EX07072;MD07;", "EX10111;MD06;", "EX10110;MD06;",
                              "EX08120;MD08;", "EX08121;MD08;", "MD05;",         "MD0D;",
                              "MD04;",         "MD0B;"};
    Corvane& w = *window;
    ASSERT_EQ(w.ui.cbMode->count(), 14);
    focus(w.ui.cbMode);
    for (int index = 0; index < 14; ++index) {
        SCOPED_TRACE(w.ui.cbMode->itemText(index).toStdString());
        EXPECT_EQ(sentBy([&] { emit w.ui.cbMode->activated(index); }), expected[index]);
        EXPECT_EQ(w.ui.chkbxKeyerEnable->isEnabled(), index >= 3 && index <= 5);
    }

    // The radio's mode answer then shows the sideband chosen.
    sentBy([&] { emit w.ui.cbMode->activated(0); });
    radioSends("MD01;");
    EXPECT_EQ(w.ui.cbMode->currentText(), "LSB");
    sentBy([&] { emit w.ui.cbMode->activated(9); });
    radioSends("MD08;");
    EXPECT_EQ(w.ui.cbMode->currentText(), "D-L");

    // Without the focus the choice came from the program: nothing is sent.
    focus(w.ui.VFO);
    EXPECT_EQ(sentBy([&] { emit w.ui.cbMode->activated(3); }), "");
    EXPECT_EQ(sentBy([&] { emit w.ui.cbBand->activated(3); }), "");
    EXPECT_EQ(sentBy([&] { emit w.ui.cbWidth->activated(3); }), "");
}

TEST_F(PanelTest, BandChoiceAsksForTheStoredSettingsAfterTheRadioMoved) {
    Corvane& w = *window;
    focus(w.ui.cbBand);
    w.ui.cbBand->setCurrentIndex(5);
    EXPECT_EQ(sentBy([&] { emit w.ui.cbBand->activated(5); }), "BS05;");
    // The radio reports the band's frequency and width; the width answer waits for AC.
    radioSends("FA014074000;SH0014;");
    EXPECT_EQ(radioReceives("AC;", 1000), "IF;AC;");
    radioSends("IF001014074000+000000200000;");
    // No settings stored for 14 MHz yet: the current ones are kept, and the width read.
    EXPECT_EQ(sentBy([&] { radioSends("AC000;"); }), "SH0;");
    EXPECT_EQ(query("select band, mode from band_mode_settings"),
              (std::vector<std::vector<std::string>>{{"5", "1"}}));
    EXPECT_EQ(w.ui.cbBand->currentText(), "14");
}

TEST_F(PanelTest, WidthChoiceSendsTheWidthCode) {
    struct Case {
        const char* name;
        int modeIndex;
        int narrowOn;
        const char* shown; // the radio's width answer first
        int chosen;
        const char* sent;
        const char* selected;
    };
    const Case cases[] = {
        {"CW wide", 5, 0, "SH0012;", 3, "SH0113;", "1400 Hz"},
        {"USB narrow", 1, 1, "SH0009;", 3, "SH0104;", "850 Hz"},
        {"USB wide", 1, 0, "SH0014;", 0, "SH0109;", "1800 Hz"},
        {"RTTY narrow", 6, 1, "SH0005;", 9, "SH0110;", "500 Hz"},
    };
    Corvane& w = *window;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.ui.cbMode->setCurrentIndex(c.modeIndex);
        Access::narrowOn(w) = c.narrowOn;
        radioSends(c.shown);
        focus(w.ui.cbWidth);
        EXPECT_EQ(sentBy([&] { emit w.ui.cbWidth->activated(c.chosen); }), c.sent);
        EXPECT_EQ(w.ui.cbWidth->currentText(), c.selected);
        // The radio confirms with the same code, and the same width stays selected.
        radioSends(std::string(c.sent).replace(3, 1, "0"));
        EXPECT_EQ(w.ui.cbWidth->currentText(), c.selected);
    }
}

// With the port closed the panel's actions go nowhere and break nothing; a width choice still
// rebuilds the list and stores the pair's width.
TEST_F(WindowTest, ClosedPortPanel) {
    storePort("/nonexistent/ttyCAT", 4800);
    answerPortDialog("", "", false); // the port dialog offered after the failure
    Corvane& w = start();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (QPushButton* button : {w.ui.btnUp, w.ui.btnDn, w.ui.btnAtoB, w.ui.btnBtoA, w.ui.btnAB, w.ui.btnAtoM,
                                w.ui.btnSwapVandM, w.ui.btnSPL, w.ui.btnQSPL, w.ui.bnZeroIn})
        button->click();
    EXPECT_EQ(colourOf(w.ui.btnSPL), QColor("green"));
    w.ui.VFO->setText("7.1");
    QTest::keyClick(w.ui.VFO, Qt::Key_Return);
    w.ui.dial_VFOA->setValue(10);
    w.ui.dial_VFOB->setValue(10);
    w.ui.ckClarEnabled->setChecked(true);

    w.ui.chkbxKeyerEnable->setEnabled(true);
    w.ui.cbMode->setCurrentIndex(5);
    w.ui.cbMode->setFocus();
    emit w.ui.cbMode->activated(5);
    EXPECT_FALSE(w.ui.chkbxKeyerEnable->isEnabled());
    w.ui.cbWidth->addItems({"500 Hz", "800 Hz", "1200 Hz"});
    w.ui.cbWidth->setFocus();
    emit w.ui.cbWidth->activated(2);
    EXPECT_EQ(w.ui.cbWidth->currentText(), "1200 Hz");
    EXPECT_EQ(query("select band, mode, width_value from band_mode_settings where mode = 5"),
              (std::vector<std::vector<std::string>>{{"0", "5", "2"}}));
}

// Against the simulated radio: a change on the radio shows on the panel, a change on the
// panel reaches the radio.
TEST_F(SimulatorPanelTest, PanelAndRadioFollowEachOther) {
    Corvane& w = *window;
    const auto shows = [](const std::function<bool()>& done) { return runEventsUntil(done, 2000); };

    // The radio's own changes.
    simulator.operate("FA007030000;");
    EXPECT_TRUE(
        shows([&] { return w.ui.VFO->text() == "7.030.000" && w.ui.cbBand->currentText() == "7.0"; }));
    simulator.operate("MD03;");
    EXPECT_TRUE(shows([&] { return w.ui.cbMode->currentText() == "CWU"; }));
    EXPECT_FALSE(w.ui.btnVox->isVisible());
    simulator.operate("SH0012;");
    EXPECT_TRUE(shows([&] { return w.ui.cbWidth->currentText() == "1200 Hz"; }));
    simulator.operate("FB014074000;");
    EXPECT_TRUE(shows([&] { return w.ui.VFOB->text() == "14.074.000"; }));
    simulator.operate("RU0020;");
    EXPECT_TRUE(shows([&] { return w.ui.lblClarifierValue->text() == "20Hz"; }));
    simulator.operate("VM;");
    // In memory mode the channel's tag takes the frequency's place.
    EXPECT_TRUE(simulatorReceives("MT001;"));
    EXPECT_TRUE(shows([&] { return w.ui.VFOType->text() == "M1" && w.ui.VFO->text() == "FT8 40M"; }));
    simulator.operate("VM;");
    EXPECT_TRUE(shows([&] { return w.ui.VFOType->text() == "A" && w.ui.VFO->text() == "7.030.000"; }));

    // The operator's changes.
    w.ui.VFO->setText("14.074");
    QTest::keyClick(w.ui.VFO, Qt::Key_Return);
    EXPECT_TRUE(
        shows([&] { return w.ui.VFO->text() == "14.074.000" && w.ui.cbBand->currentText() == "14"; }));
    EXPECT_EQ(simulator.value("FA;"), 14074000);
    w.ui.VFOB->setText("7.1");
    QTest::keyClick(w.ui.VFOB, Qt::Key_Return);
    EXPECT_TRUE(shows([&] { return w.ui.VFOB->text() == "7.100.000"; }));

    w.ui.cbDialDialStep->setCurrentIndex(2);
    w.ui.dial_VFOA->setValue(w.ui.dial_VFOA->value() + 1);
    EXPECT_TRUE(shows([&] { return simulator.value("FA;") == 14074010; }));

    const auto splitState = [this] { return simulator.value("ST;"); };
    w.ui.btnSPL->click();
    EXPECT_TRUE(shows([&] { return splitState() == 1; }));
    w.ui.btnSPL->click();
    EXPECT_TRUE(shows([&] { return splitState() == 2 && simulator.value("FB;") == 7104000; }));
    w.ui.btnSPL->click();
    EXPECT_TRUE(shows([&] { return splitState() == 0 && simulator.value("FB;") == 14074010; }));

    settle();
    const int vfoB = simulator.value("FB;");
    w.ui.btnQSPL->click();
    EXPECT_TRUE(shows([&] { return splitState() == 1 && simulator.value("FB;") != vfoB; }));
    settle();
    w.ui.btnQSPL->click();
    EXPECT_TRUE(shows([&] { return splitState() == 0 && simulator.value("FB;") == vfoB; }));

    w.ui.ckClarEnabled->setChecked(true);
    EXPECT_TRUE(shows([&] { return simulator.value("CF0;") == 1; }));
    emit w.ui.cbClarSelect->activated(2);
    EXPECT_TRUE(shows([&] { return simulator.menuValue(518) == 2; }));
    pressMouse();
    w.ui.dial_Clarifier->setValue(25);
    releaseMouse();
    EXPECT_TRUE(shows([&] { return w.ui.lblClarifierValue->text() == "25Hz"; }));
    w.ui.btnClearClarifier->click();
    EXPECT_TRUE(shows([&] { return w.ui.lblClarifierValue->text() == "0Hz"; }));

    focus(w.ui.cbMode);
    emit w.ui.cbMode->activated(0);
    EXPECT_TRUE(shows([&] { return simulator.value("MD0;") == 1 && simulator.menuValue(1107) == 1; }));
    EXPECT_TRUE(shows([&] { return w.ui.cbMode->currentText() == "LSB" && w.ui.cbWidth->count() == 13; }));
    settle();
    focus(w.ui.cbWidth);
    emit w.ui.cbWidth->activated(3);
    EXPECT_TRUE(shows([&] { return simulator.value("SH0;") == 12; }));
    EXPECT_EQ(w.ui.cbWidth->currentText(), "2200 Hz");
}
