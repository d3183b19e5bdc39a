// The start-up read-back: the chain of reads, the model check, and the ways it still ends
// when the radio refuses or ignores some reads.

#include "tests/app/fixture.h"

#include "sim/pty_radio.h"

#include <QApplication>
#include <QMessageBox>
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
          "AG0;", "RL0;", "SC;",  "SD;",  "SH0;", "SQ0;", "ST;",  "VD;",  "VG;",  "VX;"})
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
    runEventsFor(100);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(radioSim.hasReceived("IS0;"));
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
        {"AG0;", "AG0100;", "AI1;AI;"},       {"AI;", "AI0;", "AI1;BC0;"},
        {"CN00;", "CN00012;", "CN01;"},       {"CN01;", "CN01023;", "CO00;"},
        {"CO00;", "CO000001;", "CO01;"},      {"CO01;", "CO010010;", "CS;"},
        {"CO02;", "CO020001;", "CO03;"},      {"CO03;", "CO030050;", "CS;"},
        {"KM1;", "KM1CQ;", "KM2;"},           {"KM4;", "KM4;", "KM5;"},
        {"KM5;", "KM5TEST;", "KP;"},          {"MD0;", "MD02;", "MG;"},
        {"MD0;", "MD03;", "ML0;"},            {"MD0;", "MD0C;", "ML0;"},
        {"MD0;", "MD0B;", "MG;"},             {"ML0;", "ML0001;", "ML1;"},
        {"ML1;", "ML1050;", "MS;"},           {"PR1;", "PR11;", "PR0;"},
        {"PR0;", "PR00;", "RA0;"},            {"RG0;", "RG0030;", "AG0;RL0;"},
        {"DA;", "DA01020304;", "EX0101;"},    {"EX0101;", "EX01012000;", "EX0102;"},
        {"EX1623;", "EX1623000;", "EX1801;"}, {"EX1803;", "EX18030101;", "FA;"},
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
