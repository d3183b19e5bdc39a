// Bytes from the radio cut into answers, in arrival order, whatever the chunks.

#include "tests/app/fixture.h"

#include <QSerialPort>

namespace {

class FramingTest : public WindowTest {
protected:
    void SetUp() override {
        storePort(radio.slavePath(), 38400);
        start();
        // The power query goes out first; nothing answers it here.
        radioReceives("PS;", 3000);
        traceLines.clear();
    }
    // The answers traced as dispatched, without their line ends.
    std::vector<std::string> dispatched() const {
        std::vector<std::string> answers;
        for (const std::string& line : traceLines)
            if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0 &&
                line.rfind("unknown after ", 0) != 0 && line.rfind("dropped ", 0) != 0)
                answers.push_back(line.substr(0, line.size() - 2));
        return answers;
    }
};

struct FramingCase {
    const char* name;
    std::vector<std::string> chunks;
    std::vector<std::string> answers;
};

} // namespace

TEST_F(FramingTest, CutsChunksIntoAnswers) {
    using namespace std::string_literals;
    const FramingCase cases[] = {
        {"answer split over two chunks", {"AG0", "128;"}, {"AG0128;"}},
        {"two answers in one chunk", {"AG0128;RA01;"}, {"AG0128;", "RA01;"}},
        {"rest waits for the next chunk", {"AG0128;RM1", "23;"}, {"AG0128;", "RM123;"}},
        {"NUL bytes are removed", {"A\0G0128;"s}, {"AG0128;"}},
        {"NUL as the last byte of a chunk", {"AG0128\0"s, ";"}, {"AG0128;"}},
        {"error answer", {"?;"}, {"?;"}},
        {"lone terminator", {";"}, {";"}},
        {"line feed stays part of the answer", {"\nAG0128;"}, {"\nAG0128;"}},
        {"lower case", {"ag0128;"}, {"ag0128;"}},
    };
    for (const FramingCase& c : cases) {
        SCOPED_TRACE(c.name);
        traceLines.clear();
        for (const std::string& chunk : c.chunks)
            radioSends(chunk, 60);
        EXPECT_EQ(dispatched(), c.answers);
    }
}

TEST_F(FramingTest, AnswerIsNotDispatchedBeforeItsTerminator) {
    radioSends("AG012", 100);
    EXPECT_TRUE(dispatched().empty());
    radioSends("8;");
    EXPECT_EQ(dispatched(), (std::vector<std::string>{"AG0128;"}));
}

TEST_F(FramingTest, UnknownAnswerNamesTheAnswerBeforeIt) {
    radioSends("MD02;");
    radioSends("?;");
    EXPECT_NE(std::find(traceLines.begin(), traceLines.end(), "unknown after MD02; was sent!\r\n"),
              traceLines.end());
    radioSends("xy1;");
    EXPECT_NE(std::find(traceLines.begin(), traceLines.end(), "unknown after ?; was sent!\r\n"),
              traceLines.end());
}

// A line that never sends ";" is cut back; what follows is still framed.
TEST_F(FramingTest, EndlessGarbageIsBoundedAndFramingGoesOn) {
    radioSends(std::string(20000, 'x'), 200);
    EXPECT_NE(std::find_if(traceLines.begin(), traceLines.end(),
                           [](const std::string& l) { return l.rfind("dropped ", 0) == 0; }),
              traceLines.end());
    radioSends("AG0128;RA01;");
    const auto answers = dispatched();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_LE(answers[0].size(), 4096u + 7u);
    EXPECT_EQ(answers[0].substr(answers[0].size() - 7), "AG0128;");
    EXPECT_EQ(answers[1], "RA01;");
}

// Malformed parameters never crash and never reach the window.
TEST_F(FramingTest, MalformedAnswersAreDroppedWithATraceLine) {
    const char* malformed[] = {"AG0xyz;", "PS;",  "IF;", "EX0101;", "EXabcd;", "ID+;",    "KM;", "MTP;",
                               "FA+;",    "SH0;", "RM;", "DA12;",   "CO0;",    "EX1801;", "FA-;"};
    for (const char* answer : malformed) {
        SCOPED_TRACE(answer);
        traceLines.clear();
        radioSends(answer);
        EXPECT_NE(std::find_if(traceLines.begin(), traceLines.end(),
                               [&](const std::string& l) {
                                   return l.rfind(std::string("dropped ") + answer, 0) == 0;
                               }),
                  traceLines.end());
    }
    EXPECT_EQ(radio.readAvailable(), "") << "a dropped answer made the window send something";
    EXPECT_TRUE(window->isEnabled());
}
