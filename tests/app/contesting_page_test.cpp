// The Contesting page: the voice channels' record and play buttons with their bytes and the
// buttons they leave enabled, the recording time limit and the radio's end of playback; the
// keyer memories (play, store, what the radio reports); the tab's reads and groups; and the
// page against the simulated radio.

#include "tests/app/fixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QtTest/QTest>

#include <string>
#include <vector>

namespace {

using Voice = Corvane::VoiceState;

const char* const voiceButtonNames[] = {"btnCh1Load", "btnCh2Load", "btnCh3Load", "btnCh4Load", "btnCh5Load",
                                        "btnCh1Play", "btnCh2Play", "btnCh3Play", "btnCh4Play", "btnCh5Play"};

class ContestingTest : public FrontPanelTest {
protected:
    template <class Widget = QPushButton> Widget* control(const std::string& name) {
        auto* widget = window->findChild<Widget*>(QString::fromStdString(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // The radio's answer to 03-01 marks the page as loaded.
    void loadPage() {
        radioSends("EX0301050;");
        ASSERT_EQ(radioReceivesUntilQuiet(), "");
    }
    // Key by key, as the operator types, also the keys with no ASCII character.
    static void type(QWidget* widget, const QString& text) {
        for (const QChar c : text)
            if (c.unicode() < 0x80)
                QTest::keyClick(widget, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void clickTab(const QString& text) {
        QTabBar* bar = window->ui.tabWidget->tabBar();
        for (int i = 0; i < bar->count(); ++i)
            if (bar->tabText(i) == text)
                QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(i).center());
    }
    // The voice buttons enabled now, by name.
    std::vector<std::string> enabledVoiceButtons() {
        std::vector<std::string> enabled;
        for (const char* name : voiceButtonNames)
            if (control(name)->isEnabled())
                enabled.emplace_back(name);
        return enabled;
    }
    // The channels' states as one character each: "-" idle, "R" recording, "P" playing.
    std::string voiceStates() {
        std::string states;
        for (int channel = 1; channel <= Corvane::voiceChannelCount; ++channel) {
            const Voice state = CorvaneTestAccess::voiceState(*window, channel);
            states += state == Voice::Recording ? 'R' : state == Voice::Playing ? 'P' : '-';
        }
        return states;
    }
};

// One step of the operator or the radio, with what reaches the radio and how the buttons are left.
struct VoiceStep {
    const char* click;     // a button the operator clicks, or nullptr
    const char* radioSays; // an answer from the radio, or nullptr
    const char* sent;      // the exact bytes the radio receives
    const char* enabled;   // the one enabled voice button, or nullptr for all ten
    const char* states;    // the channels' states after the step
};
struct VoiceCase {
    const char* name;
    bool timeLimit; // the recording limit runs out after the last step
    std::vector<VoiceStep> steps;
};

const VoiceCase voiceCases[] = {
    {"record twice",
     false,
     {{"btnCh3Load", nullptr, "LM03;", "btnCh3Load", "--R--"},
      {"btnCh3Load", nullptr, "LM00;", nullptr, "-----"}}},
    {"play twice",
     false,
     {{"btnCh1Play", nullptr, "PB01;", "btnCh1Play", "P----"},
      {"btnCh1Play", nullptr, "PB00;", nullptr, "-----"}}},
    {"play then the end of playback",
     false,
     {{"btnCh2Play", nullptr, "PB02;", "btnCh2Play", "-P---"},
      {nullptr, "RI40;", "", nullptr, "-----"},
      {"btnCh2Play", nullptr, "PB02;", "btnCh2Play", "-P---"}}},
    {"other radio information leaves the playback on",
     false,
     {{"btnCh5Play", nullptr, "PB05;", "btnCh5Play", "----P"},
      {nullptr, "RI41;", "", "btnCh5Play", "----P"},
      {nullptr, "RI30;", "", "btnCh5Play", "----P"}}},
    {"the end of playback leaves a recording on",
     false,
     {{"btnCh4Load", nullptr, "LM04;", "btnCh4Load", "---R-"},
      {nullptr, "RI40;", "", "btnCh4Load", "---R-"}}},
    {"record channel 1 until the time limit",
     true,
     {{"btnCh1Load", nullptr, "LM01;", "btnCh1Load", "R----"}}},
    {"record channel 5 until the time limit",
     true,
     {{"btnCh5Load", nullptr, "LM05;", "btnCh5Load", "----R"}}},
};

} // namespace

TEST_F(ContestingTest, VoiceButtonsSendTheirCommandsAndLeaveOneChannelActive) {
    loadPage();
    CorvaneTestAccess::voiceMemoryTimer(*window)->setInterval(300);
    for (const VoiceCase& c : voiceCases) {
        SCOPED_TRACE(c.name);
        for (const VoiceStep& step : c.steps) {
            SCOPED_TRACE(step.click ? step.click : step.radioSays);
            if (step.click) {
                control(step.click)->click();
                EXPECT_EQ(radioReceivesUntilQuiet(), step.sent);
            } else
                EXPECT_EQ(replyTo(step.radioSays), step.sent);
            const std::vector<std::string> all(std::begin(voiceButtonNames), std::end(voiceButtonNames));
            EXPECT_EQ(enabledVoiceButtons(), step.enabled ? std::vector<std::string>{step.enabled} : all);
            EXPECT_EQ(voiceStates(), step.states);
        }
        if (c.timeLimit) {
            EXPECT_EQ(radioReceives("PB00;"), "LM00;PB00;");
            EXPECT_EQ(enabledVoiceButtons().size(), 10u);
            EXPECT_EQ(voiceStates(), "-----");
        }
        // Every case ends with all channels idle, ready for the next.
        for (int channel = 1; channel <= Corvane::voiceChannelCount; ++channel)
            if (CorvaneTestAccess::voiceState(*window, channel) == Voice::Recording)
                control("btnCh" + std::to_string(channel) + "Load")->click();
        replyTo("RI40;");
        ASSERT_EQ(voiceStates(), "-----");
        ASSERT_EQ(enabledVoiceButtons().size(), 10u);
    }
}

TEST_F(ContestingTest, VoiceButtonsDoNothingBeforeThePageIsLoaded) {
    control("btnCh2Load")->click();
    control("btnCh3Play")->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
    EXPECT_EQ(voiceStates(), "-----");
    EXPECT_EQ(enabledVoiceButtons().size(), 10u);
    EXPECT_FALSE(CorvaneTestAccess::voiceMemoryTimer(*window)->isActive());
}

TEST_F(ContestingTest, KeyerPlaysAMemoryAsTextOrMessage) {
    struct Case {
        const char* name;
        const char* typeAnswer; // the radio's input type of the memory
        const char* button;
        Qt::Key shortcut;
        const char* sent;
    };
    const Case cases[] = {
        {"memory 1 as text, clicked", "EX04070;", "bnMkPlay", Qt::Key_unknown, "KY1;"},
        {"memory 1 as message, Ctrl+1", "EX04071;", "bnMkPlay", Qt::Key_1, "KY6;"},
        {"memory 5 as text, Ctrl+5", "EX04110;", "bnMkPlay_5", Qt::Key_5, "KY5;"},
        {"memory 5 as message, clicked", "EX04111;", "bnMkPlay_5", Qt::Key_unknown, "KYA;"},
    };
    window->ui.cbMode->setCurrentIndex(5); // CW: the keyer group is the one enabled
    clickTab("Contesting");
    EXPECT_NE(radioReceivesUntilQuiet(), "");
    loadPage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replyTo(c.typeAnswer), "");
        if (c.shortcut == Qt::Key_unknown)
            control(c.button)->click();
        else
            QTest::keyClick(window.get(), c.shortcut, Qt::ControlModifier);
        // A shortcut clicks its button after a short animation.
        EXPECT_EQ(radioReceives(c.sent), c.sent);
    }
}

TEST_F(ContestingTest, KeyerStoresOnlyTextTheRadioCanKey) {
    struct Case {
        const char* name;
        QString typed;
        std::string sent;
    };
    const std::string fifty = "CQ TEST DE EA1ABC EA1ABC K 5NN 0123456789 ?/=-'():";
    ASSERT_EQ(fifty.size(), 50u);
    const Case cases[] = {
        {"a message", "CQ TEST", "KM2CQ TEST};"},
        {"small letters go as capitals", "cq test", "KM2CQ TEST};"},
        {"a command in the text", "X;PS0;", "KM2XPS0};"},
        {"the end mark typed", "CQ}TEST", "KM2CQTEST};"},
        {"letters the keyer has not", QString::fromUtf8("DE ÉA1 ü€"), "KM2DE A1 };"},
        {"sixty characters fill the memory", QString::fromStdString(fifty + "0123456789"),
         "KM2" + fifty + ";"},
    };
    QLineEdit* line = control<QLineEdit>("lnMemKey_2");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        line->clear();
        type(line, c.typed);
        QTest::keyClick(line, Qt::Key_Return);
        EXPECT_EQ(radioReceivesUntilQuiet(), c.sent);
    }
    // Text the operator did not type (the radio's own, say) is checked too.
    for (const char* shown : {"X;PS0;", "a#b"}) {
        line->setText(shown);
        QTest::keyClick(line, Qt::Key_Return);
        EXPECT_EQ(radioReceivesUntilQuiet(), "") << shown;
    }
}

TEST_F(ContestingTest, KeyerMemoryAnswersFillTheirLines) {
    struct Case {
        const char* name;
        const char* answer;
        const char* line;
        QString shown;
    };
    const Case cases[] = {
        {"a stored message", "KM2CQ TEST};", "lnMemKey_2", "CQ TEST"},
        {"an empty memory", "KM5};", "lnMemKey_5", ""},
        {"a full memory without its end mark", "KM1ABC;", "lnMemKey_1", "ABC"},
        {"nothing after the end mark", "KM3TU}EE;", "lnMemKey_3", "TU"},
        {"characters the keyer has not, as they are", "KM4a#b};", "lnMemKey_4", "a#b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replyTo(c.answer), "");
        EXPECT_EQ(control<QLineEdit>(c.line)->text(), c.shown);
    }
    EXPECT_EQ(replyTo("KM6AB};"), "");
    EXPECT_EQ(control<QLineEdit>("lnMemKey_1")->text(), "ABC");
}

TEST_F(ContestingTest, TabReadsUntilLoadedAndEnablesTheGroupOfTheMode) {
    struct Case {
        const char* name;
        int modeIndex;
        bool voice;
    };
    const Case cases[] = {{"CWL", 3, false}, {"USB", 1, true}, {"CW", 5, false}, {"D-U", 8, true}};
    const std::string reads =
        "KM1;KM2;KM3;KM4;KM5;EX0301;EX0302;EX0405;EX0406;EX0407;EX0408;EX0409;EX0410;EX0411;";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->ui.cbMode->setCurrentIndex(c.modeIndex);
        clickTab("Contesting");
        EXPECT_EQ(radioReceivesUntilQuiet(), &c == &cases[0] ? reads : "");
        EXPECT_EQ(control<QGroupBox>("gpDVS")->isEnabled(), c.voice);
        EXPECT_EQ(control<QGroupBox>("gpmemkeyer")->isEnabled(), !c.voice);
        if (&c == &cases[0])
            loadPage();
    }
    // A mode change while the page is shown leaves the groups as the last click set them.
    window->ui.cbMode->setCurrentIndex(3);
    EXPECT_TRUE(control<QGroupBox>("gpDVS")->isEnabled());
}

// Against the simulated radio, after the start-up read-back has filled the page.
TEST_F(SimulatorPanelTest, ContestingPageRecordsPlaysAndStoresOnTheRadio) {
    auto* line = window->findChild<QLineEdit*>("lnMemKey_2");
    ASSERT_NE(line, nullptr);
    line->clear();
    QTest::keyClicks(line, "cq test");
    QTest::keyClick(line, Qt::Key_Return);
    ASSERT_TRUE(simulatorReceives("KM2CQ TEST};"));
    EXPECT_EQ(simulator.withRadio([](Sim::SimulatedRadio& radio) { return radio.keyerMemory(2); }),
              "CQ TEST}");

    for (const char* name : {"btnCh1Load", "btnCh1Load", "btnCh3Play", "btnCh3Play"})
        window->findChild<QPushButton*>(name)->click();
    ASSERT_TRUE(simulatorReceives("PB00;"));
    settle();
    const std::vector<std::string> expected{"KM2CQ TEST};", "LM01;", "LM00;", "PB03;", "PB00;"};
    std::vector<std::string> sent;
    for (const std::string& command : simulatorCommands())
        if (command.rfind("KM", 0) == 0 || command.rfind("LM", 0) == 0 || command.rfind("PB", 0) == 0)
            sent.push_back(command);
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(simulator.withRadio([](Sim::SimulatedRadio& radio) { return radio.menuValue(301); }),
              window->findChild<QSlider*>("lvldvsRx")->value());
}
