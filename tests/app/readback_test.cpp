// The start-up read-back: the chain of reads, the model check, and the ways it still ends
// when the radio refuses or ignores some reads.

#include "tests/app/fixture.h"

#include "sim/pty_radio.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {

// A window started against the simulated FT-891.
class SimulatedRadioTest : public WindowTest {
protected:
    void startWith(Sim::PtyRadio& radioSim) {
        storePort(radioSim.slavePath(), 38400);
        start();
    }
    static void pump() { QApplication::processEvents(QEventLoop::AllEvents, 5); }
    // Runs until the read-back has ended and the window is usable again.
    bool readBackEnds(Sim::PtyRadio& radioSim, int timeoutMs = 20000) {
        return radioSim.waitForCommand("VX;", std::chrono::milliseconds(timeoutMs), pump) &&
               runEventsUntil([this] { return window->isEnabled(); }, 3000);
    }
    static std::vector<std::string> texts(const std::vector<Sim::ReceivedCommand>& received) {
        std::vector<std::string> all;
        for (const auto& r : received)
            all.push_back(r.text);
        return all;
    }
    // Whether `expected` appears in `received` in this order (other commands may come between).
    static ::testing::AssertionResult inOrder(const std::vector<std::string>& received,
                                              const std::vector<std::string>& expected) {
        size_t next = 0;
        for (const std::string& command : received)
            if (next < expected.size() && command == expected[next])
                ++next;
        if (next == expected.size())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "missing or out of order from " << expected[next];
    }
    int skippedCount() const {
        return static_cast<int>(std::count_if(traceLines.begin(), traceLines.end(), [](const std::string& l) {
            return l.rfind("no answer to ", 0) == 0;
        }));
    }
};

// What the chain reads of a radio in USB (mode code 2), after the power query.
std::vector<std::string> usbReadBack() {
    std::vector<std::string> reads = {"IF;",   "OI;",   "AC;",   "AG0;", "AI1;",  "AI;",
                                      "BC0;",  "BI;",   "BP00;", "CF0;", "CN00;", "CN01;",
                                      "CO00;", "CO01;", "CS;",   "CT0;", "DA;"};
    for (const CAT::MenuItem& item : CAT::MenuCatalogue())
        reads.push_back(fmt::format("EX{:04};", item.number));
    for (const char* r :
         {"FA;",  "FB;",  "FS;",  "GT0;", "ID;",  "IS0;", "KM1;", "KM2;", "KM3;", "KM4;", "KM5;",
          "KP;",  "KR;",  "KS;",  "LK;",  "MD0;", "MG;",  "ML0;", "ML1;", "MS;",  "MX;",  "NA0;",
          "NB0;", "NL0;", "NR0;", "OS0;", "PA0;", "PC;",  "PL;",  "PR1;", "PR0;", "RA0;", "RG0;",
          "AG0;", "RL0;", "SC;",  "SD;",  "SH0;", "SQ0;", "ST;",  "TX;",  "VD;",  "VG;",  "VX;"})
        reads.push_back(r);
    return reads;
}

} // namespace

TEST_F(SimulatedRadioTest, CompleteReadBackReadsEverythingInOrderAndEnablesTheWindow) {
    Sim::PtyRadio radioSim;
    radioSim.setValue("MD0;", 2);
    radioSim.setValue("RL0;", 7);
    startWith(radioSim);

    ASSERT_TRUE(readBackEnds(radioSim));
    const auto received = texts(radioSim.received());
    EXPECT_TRUE(inOrder(received, {"aslkdfk;", "PS;"}));
    EXPECT_TRUE(inOrder(received, usbReadBack()));
    EXPECT_EQ(skippedCount(), 0);
    EXPECT_TRUE(radioSim.withRadio([](Sim::SimulatedRadio& r) { return r.autoInformation(); }));
    for (const CAT::MenuItem& item : CAT::MenuCatalogue())
        EXPECT_EQ(radioSim.countReceived(fmt::format("EX{:04};", item.number)), 1) << item.number;
    EXPECT_EQ(window->ui.btnPWR->palette().color(QPalette::Button), QColor("red"));
    // The restore at the end puts back what the radio had, not the panel's defaults.
    EXPECT_EQ(window->ui.DNR->value(), 7);
    EXPECT_TRUE(radioSim.hasReceived("RL007;"));
    EXPECT_FALSE(radioSim.hasReceived("RL001;"));

    // Later answers of the second pass find the read-back over and send nothing.
    radioSim.waitForQuiet(std::chrono::milliseconds(200), std::chrono::seconds(3), pump);
    radioSim.clearReceived();
    radioSends("AG0100;NR00;VX0;", 300);
    EXPECT_TRUE(radioSim.received().empty());
}

// AM rejects the DNF and noise reduction reads; the chain goes on past each refusal.
TEST_F(SimulatedRadioTest, RadioThatRefusesReadsStillFinishes) {
    Sim::PtyRadio radioSim;
    radioSim.setValue("MD0;", 5);
    startWith(radioSim);

    ASSERT_TRUE(readBackEnds(radioSim));
    EXPECT_GE(skippedCount(), 3);
    EXPECT_TRUE(inOrder(texts(radioSim.received()), {"BC0;", "BI;", "NR0;", "OS0;", "RL0;", "SC;", "VX;"}));
    EXPECT_TRUE(
        window->statusBar()->currentMessage().startsWith("Read-back finished: the radio did not answer"));
}

TEST_F(SimulatedRadioTest, UnansweredReadIsSentAgainThenPassed) {
    Sim::PtyRadio radioSim;
    radioSim.silenceRead("KS;", 1);
    radioSim.silenceRead("LK;", 2);
    startWith(radioSim);

    ASSERT_TRUE(readBackEnds(radioSim, 30000));
    // KS answered its second time; LK never, so the chain went on to MD0 without it.
    EXPECT_EQ(radioSim.countReceived("KS;"), 2);
    EXPECT_EQ(radioSim.countReceived("LK;"), 2);
    EXPECT_TRUE(inOrder(texts(radioSim.received()), {"KS;", "KS;", "LK;", "LK;", "MD0;", "VX;"}));
    EXPECT_EQ(skippedCount(), 1);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Read-back finished: the radio did not answer 1 read");
}

namespace {

// Answers the next model message box with `button` and keeps its text.
void answerModelMessage(QString& text, QMessageBox::StandardButton button) {
    auto* watcher = new QTimer;
    QObject::connect(watcher, &QTimer::timeout, [watcher, &text, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        watcher->stop();
        watcher->deleteLater();
        text = box->text();
        box->button(button)->click();
    });
    watcher->start(10);
}

} // namespace

TEST_F(SimulatedRadioTest, OtherModelIsNamedAndAbortCloses) {
    Sim::PtyRadio radioSim;
    radioSim.setModelId(670);
    startWith(radioSim);
    window->show();
    QString text;
    answerModelMessage(text, QMessageBox::Abort);

    ASSERT_TRUE(runEventsUntil([&] { return !text.isEmpty(); }, 10000));
    EXPECT_EQ(text,
              "You have selected an FT991A, this application isn't compatible with that radio. Please select "
              "the correct port.");
    // The window closes, and the read it had sent before the answer still reaches the radio.
    EXPECT_TRUE(runEventsUntil([&] { return !window->isVisible(); }, 3000));
    EXPECT_TRUE(runEventsUntil([&] { return radioSim.hasReceived("IS0;"); }, 3000));
}

namespace {

// The test plays the radio by hand: the window has been told the radio is on and has sent
// the chain's first read.
class ReadBackTest : public WindowTest {
protected:
    bool startReadBackWithRadioEnd() {
        storePort(radio.slavePath(), 38400);
        start();
        radioReceives("PS;");
        radioSends("PS1;");
        return radioReceives("IF;") == "IF;";
    }
};

} // namespace

TEST_F(ReadBackTest, IdentificationAnswersDuringTheReadBack) {
    ASSERT_TRUE(startReadBackWithRadioEnd());
    // The FT-891 itself and an unknown model pass without a word.
    for (const char* id : {"ID0650;", "ID0999;"}) {
        CorvaneTestAccess::awaitRead(*window, "ID;");
        radioSends(id);
        EXPECT_EQ(radioReceives("IS0;", 1000), "IS0;") << id;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// Each answer of the chain sends the read the chain names for it.
TEST_F(ReadBackTest, ChainBranchesOnTheAnswer) {
    ASSERT_TRUE(startReadBackWithRadioEnd());
    struct Step {
        const char* awaited;
        const char* answer;
        const char* next;
    };
    const Step steps[] = {
        {"AG0;", "AG0100;", "AI1;AI;"},     {"AI;", "AI0;", "AI1;BC0;"},
        {"CN00;", "CN00012;", "CN01;"},     {"CN01;", "CN01023;", "CO00;"},
        {"CO00;", "CO000001;", "CO01;"},    {"CO01;", "CO010010;", "CS;"},
        {"CO02;", "CO020001;", "CO03;"},    {"CO03;", "CO030050;", "CS;"},
        {"KM1;", "KM1CQ;", "KM2;"},         {"KM4;", "KM4;", "KM5;"},
        {"KM5;", "KM5TEST;", "KP;"},        {"MD0;", "MD02;", "MG;"},
        {"MD0;", "MD03;", "ML0;"},          {"MD0;", "MD0C;", "ML0;"},
        {"MD0;", "MD0B;", "MG;"},           {"ML0;", "ML0001;", "ML1;"},
        {"ML1;", "ML1050;", "MS;"},         {"PR1;", "PR11;", "PR0;"},
        {"PR0;", "PR00;", "RA0;"},          {"RG0;", "RG0030;", "AG0;RL0;"},
        {"DA;", "DA01020304;", "EX0101;"},  {"EX0101;", "EX01012000;", "EX0102;"},
        {"EX1623;", "EX16230;", "EX1801;"}, {"EX1803;", "EX18030101;", "FA;"},
    };
    for (const Step& step : steps) {
        CorvaneTestAccess::awaitRead(*window, step.awaited);
        radioSends(step.answer);
        EXPECT_EQ(radioReceives(step.next, 1000), step.next) << step.answer;
    }
    // A processor state other than 0 or 1 moves nothing.
    CorvaneTestAccess::awaitRead(*window, "PR1;");
    radioSends("PR12;");
    EXPECT_EQ(radioReceivesFor(300), "");
}

// Only the answer to the read the chain waits for moves it on: the radio's reports of its own
// keys and knobs, and a second answer to a read sent twice, only show.
TEST_F(ReadBackTest, AnswersNotAskedForDoNotMoveTheChain) {
    ASSERT_TRUE(startReadBackWithRadioEnd());
    Corvane& w = *window;
    CorvaneTestAccess::awaitRead(w, "EX0206;");
    // The VOX key, the main dial, the busy squelch and a meter: none ends or forks the chain.
    radioSends("VX1;FA014074010;BY10;RM1100;SM0050;");
    EXPECT_EQ(radioReceivesFor(300), "");
    EXPECT_FALSE(w.isEnabled());
    // The answer it waits for steps it once; the same answer again steps nothing.
    radioSends("EX02061;");
    EXPECT_EQ(radioReceives("EX0207;", 1000), "EX0207;");
    radioSends("EX02061;");
    EXPECT_EQ(radioReceivesFor(300), "");

    // The RG step reads the AF gain once more: its answer moves the slider and starts nothing.
    CorvaneTestAccess::awaitRead(w, "RG0;");
    radioSends("RG0030;");
    EXPECT_EQ(radioReceives("AG0;RL0;", 1000), "AG0;RL0;");
    radioSends("AG0120;");
    EXPECT_EQ(radioReceivesFor(300), "");
    radioSends("RL005;");
    EXPECT_EQ(radioReceives("SC;", 1000), "SC;");
}

TEST_F(ReadBackTest, GarbledOrRefusedAnswersDuringTheReadBack) {
    ASSERT_TRUE(startReadBackWithRadioEnd());

    // A garbled answer is dropped whole: it does not move the chain.
    radioSends("IF00x;");
    EXPECT_EQ(radioReceivesFor(300), "");
    EXPECT_FALSE(window->isEnabled());
    // The radio's refusal moves it on to the read after the refused one.
    radioSends("?;");
    EXPECT_EQ(radioReceives("OI;", 1000), "OI;");
    EXPECT_NE(std::find(traceLines.begin(), traceLines.end(), "no answer to IF;\r\n"), traceLines.end());
    // The end at VX enables the window even though nothing was restored.
    CorvaneTestAccess::awaitRead(*window, "VX;");
    radioSends("VX0;");
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(window->statusBar()->currentMessage(), "Read-back finished: the radio did not answer 1 read");
}

// A read answered late, after it was sent again, is taken once: the chain moves on once and
// every later read still goes out once.
TEST_F(ReadBackTest, LateAnswerToAResentReadIsTakenOnce) {
    ASSERT_TRUE(startReadBackWithRadioEnd());
    EXPECT_EQ(radioReceives("IF;", 3000), "IF;");
    radioSends("IF001014074000+000000200000;IF001014074000+000000200000;");
    EXPECT_EQ(radioReceives("OI;", 1000), "OI;");
    radioSends("OI001007074000+000000200000;");
    EXPECT_EQ(radioReceives("AC;", 1000), "AC;");
    EXPECT_EQ(radioReceivesFor(300), "");
}

// While the chain runs, the status bar shows how far it has come, and on which port and speed.
TEST_F(ReadBackTest, ProgressShowsWhileReading) {
    ASSERT_TRUE(startReadBackWithRadioEnd());
    Corvane& w = *window;
    const auto progress = [&w] { return w.findChild<QProgressBar*>("readBackProgress"); };
    ASSERT_NE(progress(), nullptr);
    EXPECT_EQ(progress()->value(), 0);
    EXPECT_TRUE(progress()->text().contains(QString::fromStdString(radio.slavePath())));
    EXPECT_TRUE(progress()->text().contains("38400 baud"));
    radioSends("IF001014074000+000000200000;");
    EXPECT_EQ(progress()->value(), 1);
    CorvaneTestAccess::awaitRead(w, "VX;");
    radioSends("VX0;");
    EXPECT_TRUE(runEventsUntil([&] { return progress() == nullptr; }, 1000));
}

// A radio that answers the power query and then falls silent (or a port where something else
// answers PS;) does not keep the window disabled: three reads in a row without an answer end
// the read-back, each read sent twice, with a word on what to check.
TEST_F(ReadBackTest, SilentRadioEndsTheReadBack) {
    ASSERT_TRUE(startReadBackWithRadioEnd());
    EXPECT_TRUE(runEventsUntil([this] { return window->isEnabled(); }, 15000));
    EXPECT_EQ(radioReceivesFor(300), "IF;OI;OI;AC;AC;");
    const QString message = window->statusBar()->currentMessage();
    EXPECT_TRUE(message.startsWith(QString("The radio does not answer on %1 at 38400 baud")
                                       .arg(QString::fromStdString(radio.slavePath()))))
        << message.toStdString();
    EXPECT_TRUE(message.contains("05-06 CAT RATE"));
    EXPECT_FALSE(CorvaneTestAccess::readBackInProgress(*window));
    // Late answers now only show.
    radioSends("AC000;FA014074000;");
    EXPECT_EQ(radioReceivesFor(300), "IF;");
}

// The operator's own keys and knobs on the radio in the middle of the read-back neither end it
// nor start a second chain: every item is read exactly once, to the end.
TEST_F(SimulatedRadioTest, RadiosOwnReportsDuringTheReadBack) {
    Sim::PtyRadio radioSim({std::chrono::milliseconds(2), 38400});
    startWith(radioSim);
    ASSERT_TRUE(radioSim.waitForCommand("EX0301;", std::chrono::seconds(20), pump));
    radioSim.operate("VX1;");
    radioSim.operate("FA014074500;");
    ASSERT_TRUE(radioSim.waitForCommand("EX1001;", std::chrono::seconds(20), pump));
    radioSim.operate("SH0012;");
    radioSim.operate("VX0;");
    ASSERT_TRUE(readBackEnds(radioSim));
    radioSim.waitForQuiet(std::chrono::milliseconds(300), std::chrono::seconds(3), pump);
    // The chain, up to its end at VX (the restore after it reads AC once more).
    auto received = texts(radioSim.received());
    received.erase(std::find(received.begin(), received.end(), "VX;") + 1, received.end());
    std::vector<std::string> reads = usbReadBack();
    EXPECT_TRUE(inOrder(received, reads));
    reads.erase(std::remove(reads.begin(), reads.end(), "AI1;"), reads.end());
    for (const std::string& read : reads)
        EXPECT_EQ(std::count(received.begin(), received.end(), read), read == "AG0;" ? 2 : 1) << read;
    EXPECT_EQ(skippedCount(), 0);
}

// The mode and width shown after the read-back need the BFO menu items and NAR, which the chain
// reads before the mode and the width: LSB, CW-L and the narrow lists show as the radio has them,
// and the pair is stored under the mode shown.
TEST_F(SimulatedRadioTest, ModeAndWidthAfterTheReadBack) {
    struct Case {
        const char* name;
        int modeCode;
        int bfoItem, bfoValue;
        int narrow, widthCode;
        const char* mode;
        const char* width;
        int modeIndex, widthIndex;
    };
    const Case cases[] = {
        {"LSB", 1, 1107, 1, 0, 14, "LSB", "2400 Hz", 0, 5},
        {"CW-L", 3, 707, 1, 0, 12, "CWL", "1200 Hz", 3, 2},
        {"USB with NAR on", 2, 1107, 0, 1, 4, "USB", "850 Hz", 1, 3},
        {"CW-U with NAR on", 3, 707, 0, 1, 5, "CWU", "250 Hz", 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(databasePath());
        Sim::PtyRadio radioSim;
        radioSim.setValue("MD0;", c.modeCode);
        radioSim.setMenuValue(c.bfoItem, c.bfoValue);
        radioSim.setValue("NA0;", c.narrow);
        radioSim.setValue("SH0;", c.widthCode);
        startWith(radioSim);
        ASSERT_TRUE(readBackEnds(radioSim));
        EXPECT_EQ(window->ui.cbMode->currentText(), c.mode);
        EXPECT_EQ(window->ui.cbWidth->currentText(), c.width);
        EXPECT_EQ(window->ui.btnNAR->palette().color(QPalette::Button) == QColor("green"), c.narrow == 1);
        EXPECT_EQ(query("select band, mode, width_value from band_mode_settings"),
                  (std::vector<std::vector<std::string>>{
                      {"5", std::to_string(c.modeIndex), std::to_string(c.widthIndex)}}));
        window.reset();
    }
}
