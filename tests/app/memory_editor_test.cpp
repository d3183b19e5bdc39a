// The memory channel editor: the scan of channels 1-99 driven by the radio's answers, every
// channel filed under its own number whatever else the line carries, refused input that never
// reaches the radio, new rows on free channels, and the exact MT commands OK writes back (only
// for the rows the operator changed), against a radio played on the pseudo-terminal and
// against the simulator.

#include "tests/app/fixture.h"

#include "dialogs/MemoryChannelEditorUI.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <functional>
#include <map>

#include <fmt/format.h>

namespace {

using Access = CorvaneTestAccess;
using Yaesu::Commands::FT891::ChannelRecord;
using Yaesu::Commands::FT891::SetMT;

enum Column { Channel, Frequency, Mode, Operation, ClarifierOn, ClarifierValue, Ctcss, TagOn, TagName };

// Channel 1 as the radio reports it: 7.074 MHz, DATA-USB, tag "FT8 40M".
const char* const channelOneAnswer = "MT001007074000+000000C000001FT8 40M     ;";
const ChannelRecord channelOne{1, 7074000, 0, 0, 0xC, 0, 0, 1, "FT8 40M     "};

// A radio's programmed channels by number; the MT answer has the layout of the MT set.
using Memory = std::map<int, ChannelRecord>;
// clang-format off
const Memory sixChannels = {
    // channel   frequency  clarifier on  mode  tone shift tag on  tag
    {1, {1,      7074000,   0,        0,  0xC,  0,   0,    1,      "FT8 40M"}},
    {2, {2,      14074000,  0,        0,  0xC,  0,   0,    1,      "FT8 20M"}},
    {3, {3,      3573000,   -150,     1,  0x1,  0,   0,    1,      "80M NET"}},
    {4, {4,      14230000,  0,        0,  0x2,  0,   0,    1,      "SSTV 20M"}},
    {5, {5,      29600000,  0,        0,  0x4,  1,   2,    1,      "10M FM CALL"}},
    {6, {6,      50313000,  0,        0,  0x2,  0,   0,    0,      ""}},
};
// clang-format on

template <class Widget> Widget* cellOf(MemoryChannelEditorUI& editor, int row, int column) {
    QAbstractItemModel* model = editor.ui.tableView->model();
    return qobject_cast<Widget*>(editor.ui.tableView->indexWidget(model->index(row, column)));
}

std::vector<int> channelsOf(const MemoryChannelEditorUI& editor) {
    std::vector<int> numbers;
    for (const ChannelRecord& record : editor.records())
        numbers.push_back(record.channel);
    return numbers;
}

// What the radio does at the scan's read of one channel, besides answering it.
struct Disturbance {
    int atChannel = 0;  // the read it happens at; 0 for none
    std::string before; // bytes sent ahead of that read's answer
    bool late = false;  // that answer, and all after it, wait until the next channel's read
};

class MemoryEditorTest : public FrontPanelTest {
protected:
    MemoryChannelEditorUI* editor() {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto open = window->findChildren<MemoryChannelEditorUI*>();
        return open.size() == 1 ? open.front() : nullptr;
    }
    bool scanning() const { return Access::memoryScanActive(*window); }
    // Plays the radio through the whole scan, answering in order as the radio does: an MT read
    // with the channel's answer ("?;" when it is empty), ID; with the FT-891's identity; other
    // commands go unanswered. Returns once the scan has ended.
    void playScan(const Memory& memory, const Disturbance& disturbance = {}) {
        std::string line, held;
        bool holding = false, disturbed = false;
        QElapsedTimer clock;
        clock.start();
        while (scanning() && clock.elapsed() < 30000) {
            runEventsUntil(
                [&] {
                    line += radio.readAvailable();
                    return line.find(';') != std::string::npos || !scanning();
                },
                3000);
            std::string reply;
            for (std::size_t end; (end = line.find(';')) != std::string::npos; line.erase(0, end + 1)) {
                const std::string command = line.substr(0, end + 1);
                if (command == "ID;") {
                    (holding ? held : reply) += "ID0650;";
                    continue;
                }
                if (command.size() != 6 || command.rfind("MT", 0) != 0)
                    continue;
                const int channel = std::stoi(command.substr(2, 3));
                const auto stored = memory.find(channel);
                const std::string answer = stored == memory.end() ? "?;" : SetMT(stored->second);
                if (holding) {
                    reply += held;
                    held.clear();
                    holding = false;
                }
                if (!disturbed && channel == disturbance.atChannel) {
                    disturbed = true;
                    reply += disturbance.before;
                    if (disturbance.late) {
                        holding = true;
                        held = answer;
                        continue;
                    }
                }
                reply += answer;
            }
            if (!reply.empty())
                radioSends(reply, 0);
        }
        EXPECT_FALSE(scanning());
    }
    // Opens the editor and plays a scan of `memory`.
    MemoryChannelEditorUI* openScanned(const Memory& memory = {{1, channelOne}}) {
        radioReceivesUntilQuiet();
        window->ui.btnMemEdit->click();
        playScan(memory);
        radioReceivesUntilQuiet();
        return editor();
    }
    void clickOk(MemoryChannelEditorUI& dialog) {
        dialog.ui.buttonBox_2->button(QDialogButtonBox::Ok)->click();
    }
    // Every row holds the channel of its number, as the radio has it, and no other row is there.
    void expectRowsOf(const Memory& memory) {
        ASSERT_TRUE(editor());
        std::map<int, std::string> rows, wanted;
        for (const ChannelRecord& record : editor()->records())
            rows[record.channel] = SetMT(record);
        for (const auto& [channel, record] : memory)
            wanted[channel] = SetMT(record);
        EXPECT_EQ(rows, wanted);
        for (const auto& [channel, record] : memory) {
            const QLineEdit* frequency = cellOf<QLineEdit>(*editor(), channel - 1, Frequency);
            ASSERT_TRUE(frequency) << "row " << channel << " is empty";
            EXPECT_EQ(frequency->text(), QString::fromStdString(fmt::format(
                                             "{:d}.{:03}.{:03}", record.frequency / 1000000,
                                             record.frequency / 1000 % 1000, record.frequency % 1000)))
                << "row " << channel;
        }
    }
};

// Each answer asks for the next channel, each read with ID; behind it; "?;" answers an empty
// channel, and the scan ends after 99 without asking for 100.
TEST_F(MemoryEditorTest, ScanAsksChannelsInOrderAndEndsAfter99) {
    window->ui.btnMemEdit->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;ID;");
    ASSERT_TRUE(editor());
    EXPECT_TRUE(editor()->isModal());
    EXPECT_EQ(replyTo("MT001014074000+0000002000001SSB 20M     ;ID0650;"), "MT002;ID;");
    EXPECT_EQ(replyTo("?;ID0650;"), "MT003;ID;");
    std::string empty, reads;
    for (int channel = 3; channel <= 99; ++channel) {
        empty += "?;ID0650;";
        if (channel < 99)
            reads += fmt::format("MT{:03d};ID;", channel + 1);
    }
    radioSends(empty, 0);
    EXPECT_EQ(radioReceivesUntilQuiet(), reads);
    EXPECT_FALSE(Access::memoryScanActive(*window));
    EXPECT_EQ(replyTo("?;ID0650;"), "");

    MemoryChannelEditorUI& dialog = *editor();
    EXPECT_EQ(channelsOf(dialog), std::vector<int>{1});
    EXPECT_EQ(cellOf<QLineEdit>(dialog, 0, Frequency)->text(), "14.074.000");
    EXPECT_EQ(cellOf<QComboBox>(dialog, 0, Mode)->currentText(), "USB");
    EXPECT_EQ(cellOf<QLineEdit>(dialog, 0, TagName)->text(), "SSB 20M");
    EXPECT_EQ(dialog.ui.tableView->model()->rowCount(), 99);
}

// A channel the radio never answers is skipped; closing the editor ends the scan, and M-Edit
// starts a new one on an empty table.
TEST_F(MemoryEditorTest, ScanSkipsSilentChannelsAndEndsWithTheEditor) {
    window->ui.btnMemEdit->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;ID;");
    EXPECT_EQ(radioReceives("MT002;ID;", 4000), "MT002;ID;");
    EXPECT_EQ(replyTo("MT002014074000+000000C000001FT8 20M     ;"), "MT003;ID;");
    ASSERT_TRUE(editor());
    EXPECT_EQ(channelsOf(*editor()), std::vector<int>{2});
    // Channel 1 may hold something the radio did not say: a new row leaves it alone.
    editor()->addRow();
    EXPECT_EQ(channelsOf(*editor()), (std::vector<int>{2, 3}));

    editor()->close();
    EXPECT_FALSE(Access::memoryScanActive(*window));
    EXPECT_EQ(replyTo("?;ID0650;"), "");
    window->ui.btnMemEdit->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;ID;");
    ASSERT_TRUE(editor());
    EXPECT_TRUE(editor()->records().empty());
    // The port going away ends the scan too.
    CorvaneTestAccess::port(*window)->close();
    EXPECT_FALSE(Access::memoryScanActive(*window));
}

// Whatever else comes on the line during the scan, every channel lands in the row of its own
// number, and OK with nothing edited writes nothing: a scan gone wrong cannot overwrite the
// radio.
TEST_F(MemoryEditorTest, EveryChannelLandsInItsOwnRowWhateverTheLineCarries) {
    struct LineCase {
        const char* name;
        Disturbance disturbance;
    };
    const LineCase cases[] = {
        // The operator turns a knob in memory mode: the radio reports IF for its channel 5.
        {"an IF report in memory mode", {3, "IF005029600000+000000410000;", false}},
        // A set of any other command refused.
        {"a stray refusal", {3, "?;", false}},
        // The radio is slow: the answer comes after the scan has given up on the channel.
        {"an answer later than the skip", {3, "", true}},
        // An answer for a channel this scan has not asked for yet.
        {"another channel's answer", {3, SetMT({50, 21074000, 0, 0, 0xC, 0, 0, 1, "FT8 15M"}), false}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        radioReceivesUntilQuiet();
        window->ui.btnMemEdit->click();
        playScan(sixChannels, c.disturbance);
        expectRowsOf(sixChannels);
        ASSERT_TRUE(editor());
        radioReceivesUntilQuiet();
        clickOk(*editor());
        EXPECT_EQ(radioReceivesUntilQuiet(), "") << "OK wrote channels nobody changed";
        EXPECT_FALSE(editor());
    }
}

// Bad input is refused before anything is written: the row is marked, the dialog stays open.
TEST_F(MemoryEditorTest, RefusedRowsWriteNothing) {
    MemoryChannelEditorUI* dialog = openScanned();
    ASSERT_TRUE(dialog);
    using Edit = std::function<void(MemoryChannelEditorUI&)>;
    const auto tag = [](const QString& text) {
        return [text](MemoryChannelEditorUI& d) { cellOf<QLineEdit>(d, 0, TagName)->setText(text); };
    };
    const auto frequency = [](const QString& text) {
        return [text](MemoryChannelEditorUI& d) { cellOf<QLineEdit>(d, 0, Frequency)->setText(text); };
    };
    struct RefusedCase {
        const char* name;
        Edit edit;
        int markedRow;
    };
    const RefusedCase cases[] = {
        {"tag with a semicolon", tag("FT8;FA000001"), 0},
        {"tag of 13 characters", tag("ABCDEFGHIJKLM"), 0},
        {"tag not ASCII", tag(QString::fromUtf8("F\xc3\xbcnf")), 0},
        {"frequency without its Hz group", frequency("7.074"), 0},
        {"frequency with letters", frequency("7.074.00x"), 0},
        {"frequency below 30 kHz", frequency("0.029.999"), 0},
        {"frequency above 56 MHz", frequency("56.000.001"), 0},
        {"new row without a mode",
         [](MemoryChannelEditorUI& d) {
             d.addRow();
             cellOf<QLineEdit>(d, 1, Frequency)->setText("7.100.000");
         },
         1},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        dialog->clearChannels();
        dialog->AddChannelRow(channelOne);
        c.edit(*dialog);
        clickOk(*dialog);
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
        ASSERT_EQ(editor(), dialog);
        EXPECT_TRUE(dialog->isVisible());
        QAbstractItemModel* model = dialog->ui.tableView->model();
        EXPECT_FALSE(model->index(c.markedRow, Channel).data(Qt::ToolTipRole).toString().isEmpty());
        EXPECT_FALSE(dialog->ui.lblMessage->text().isEmpty());
    }
}

// OK writes the rows the operator changed, each as its cells say, and no other: not a row
// left as the radio reported it, nor one edited and put back. The clarifier value goes only
// while the clarifier is on.
TEST_F(MemoryEditorTest, OkWritesOnlyTheRowsTheOperatorChanged) {
    MemoryChannelEditorUI* dialog = openScanned(sixChannels);
    ASSERT_TRUE(dialog);
    cellOf<QCheckBox>(*dialog, 0, ClarifierOn)->setChecked(true);
    cellOf<QLineEdit>(*dialog, 0, ClarifierValue)->setText("250");
    cellOf<QCheckBox>(*dialog, 0, ClarifierOn)->setChecked(false);
    EXPECT_FALSE(cellOf<QLineEdit>(*dialog, 0, ClarifierValue)->isEnabled());
    cellOf<QLineEdit>(*dialog, 0, TagName)->setText("FT8 40 M");
    EXPECT_TRUE(cellOf<QLineEdit>(*dialog, 2, ClarifierValue)->isEnabled());
    cellOf<QLineEdit>(*dialog, 2, Frequency)->setText("3.575.000");
    // Edited and put back as it was.
    cellOf<QLineEdit>(*dialog, 3, TagName)->setText("SSTV");
    cellOf<QLineEdit>(*dialog, 3, TagName)->setText("SSTV 20M");
    cellOf<QComboBox>(*dialog, 4, Ctcss)->setCurrentIndex(2);
    cellOf<QComboBox>(*dialog, 4, Ctcss)->setCurrentIndex(1);
    clickOk(*dialog);
    EXPECT_EQ(radioReceivesUntilQuiet(),
              "MT001007074000+000000C000001FT8 40 M    ;MT003003575000-015010100000180M NET     ;");
    EXPECT_FALSE(editor());
}

// A DCS channel keeps its tone and a DATA-FM channel its mode: through the editor's cells, and
// through a CSV file exported and imported again.
TEST_F(MemoryEditorTest, DcsAndDataFmChannelsGoBackAsTheRadioHasThem) {
    // clang-format off
    const Memory memory = {
        // channel   frequency  clarifier on  mode  tone shift tag on  tag
        {1, {1,      29620000,  0,        0,  0x4,  3,   2,    1,      "RPT DCS"}},
        {2, {2,      29300000,  0,        0,  0xA,  0,   0,    1,      "DATA FM"}},
    };
    // clang-format on
    MemoryChannelEditorUI* dialog = openScanned(memory);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(cellOf<QComboBox>(*dialog, 0, Ctcss)->currentText(), "DCS");
    EXPECT_EQ(cellOf<QComboBox>(*dialog, 1, Mode)->currentText(), "DATA_FM");
    const QString file = configHome.filePath("channels.csv");
    ASSERT_TRUE(dialog->exportCsv(file));
    QFile exported(file);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll().toStdString(),
              "channel,frequency,mode,shift,clarifier,clarifier offset,tone,tag\n"
              "1,29620000,FM,Minus Shift,off,0,DCS,RPT DCS\n"
              "2,29300000,DATA_FM,Simplex,off,0,OFF,DATA FM\n");

    cellOf<QLineEdit>(*dialog, 0, TagName)->setText("RPT 29.62");
    cellOf<QLineEdit>(*dialog, 1, TagName)->setText("DATA FM 10");
    clickOk(*dialog);
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001029620000+000000403002"
                                         "1RPT 29.62   ;MT002029300000+000000A00000"
                                         "1DATA FM 10  ;");

    // The file's rows are the operator's: OK writes them as they were read.
    dialog = openScanned();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->importCsv(file));
    clickOk(*dialog);
    EXPECT_EQ(radioReceivesUntilQuiet(), SetMT(memory.at(1)) + SetMT(memory.at(2)));
}

// New rows take the lowest free channel of 1-99, from the button and from Return in the table;
// with every channel taken the editor says so. Cancel empties the table and rows still work.
TEST_F(MemoryEditorTest, NewRowsTakeTheLowestFreeChannel) {
    MemoryChannelEditorUI* dialog = openScanned();
    ASSERT_TRUE(dialog);
    for (int channel = 1; channel <= 99; ++channel) {
        ChannelRecord record = channelOne;
        record.channel = channel;
        if (channel != 2 && channel != 50)
            dialog->AddChannelRow(record);
    }
    dialog->ui.btnAddRow_2->click();
    EXPECT_EQ(channelsOf(*dialog).back(), 2);
    EXPECT_EQ(cellOf<QLineEdit>(*dialog, 1, Frequency)->text(), "0.000.000");
    QTest::keyClick(dialog->ui.tableView, Qt::Key_Return);
    EXPECT_EQ(channelsOf(*dialog).back(), 50);
    EXPECT_TRUE(dialog->isVisible());
    dialog->ui.btnAddRow_2->click();
    EXPECT_EQ(dialog->records().size(), 99u);
    EXPECT_EQ(dialog->ui.lblMessage->text(), "All 99 memory channels are in use.");

    dialog->ui.buttonBox_2->button(QDialogButtonBox::Cancel)->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->records().empty());
    dialog->ui.btnAddRow_2->click();
    EXPECT_EQ(channelsOf(*dialog), std::vector<int>{1});
    ASSERT_TRUE(cellOf<QComboBox>(*dialog, 0, Mode));
    // An added row left at frequency 0 is not written.
    clickOk(*dialog);
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
    EXPECT_FALSE(editor());
}

// A channel's answer shows its tag in the frequency's place only while the radio is on that
// channel in memory mode: the late answer of a scan closed meanwhile leaves the display alone.
TEST_F(MemoryEditorTest, LateChannelAnswerAfterClosingLeavesTheFrequencyDisplay) {
    const std::string vfoMode = "IF001014074000+000000200000;";
    const std::string memoryChannelFive = "IF005029600000+000000410000;";
    const std::string fiveAnswer = SetMT(sixChannels.at(5));
    struct DisplayCase {
        const char* name;
        const std::string& information;
        std::string lateAnswer;
        const char* shown;
    };
    const DisplayCase cases[] = {
        {"VFO mode", vfoMode, channelOneAnswer, "14.074.000"},
        {"memory mode, another channel", memoryChannelFive, SetMT(sixChannels.at(4)), "10M FM CALL"},
        {"memory mode, its own channel", memoryChannelFive,
         SetMT({5, 29600000, 0, 0, 4, 1, 2, 1, "FM SIMPLEX"}), "FM SIMPLEX"},
    };
    for (const DisplayCase& c : cases) {
        SCOPED_TRACE(c.name);
        radioSends(c.information, 0);
        // In memory mode the window asks for the channel's tag.
        if (radioReceivesUntilQuiet().find("MT005;") != std::string::npos)
            radioSends(fiveAnswer, 0);
        const QString before = window->ui.VFO->text();
        window->ui.btnMemEdit->click();
        EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;ID;");
        ASSERT_TRUE(editor());
        editor()->close();
        radioSends(c.lateAnswer + "ID0650;", 0);
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
        EXPECT_EQ(window->ui.VFO->text(), c.shown) << "before: " << before.toStdString();
    }
}

// The whole road against the simulated radio: its programmed channels read into the table,
// a silent one taken for empty, one edited and one added, and those two alone written back.
class MemoryEditorSimulatorTest : public SimulatorPanelTest {};

TEST_F(MemoryEditorSimulatorTest, ReadsEditsAndWritesTheRadiosChannels) {
    simulator.silenceRead("MT004;");
    window->ui.btnMemEdit->click();
    ASSERT_TRUE(runEventsUntil([this] { return !Access::memoryScanActive(*window); }, 15000));
    std::vector<std::string> reads, expected;
    for (const std::string& command : simulatorCommands())
        if (command.rfind("MT", 0) == 0)
            reads.push_back(command);
    for (int channel = 1; channel <= 99; ++channel)
        expected.push_back(fmt::format("MT{:03d};", channel));
    EXPECT_EQ(reads, expected);

    auto editors = window->findChildren<MemoryChannelEditorUI*>();
    ASSERT_EQ(editors.size(), 1);
    MemoryChannelEditorUI& dialog = *editors.front();
    EXPECT_EQ(channelsOf(dialog), (std::vector<int>{1, 2, 3, 5, 10}));
    EXPECT_EQ(cellOf<QLineEdit>(dialog, 0, Frequency)->text(), "7.074.000");
    EXPECT_EQ(cellOf<QComboBox>(dialog, 0, Mode)->currentText(), "DATA_USB");
    EXPECT_EQ(cellOf<QLineEdit>(dialog, 0, TagName)->text(), "FT8 40M");

    cellOf<QLineEdit>(dialog, 1, Frequency)->setText("14.075.000");
    dialog.ui.btnAddRow_2->click();
    EXPECT_EQ(channelsOf(dialog).back(), 4);
    cellOf<QLineEdit>(dialog, 3, Frequency)->setText("14.230.000");
    cellOf<QComboBox>(dialog, 3, Mode)->setCurrentIndex(1);
    simulator.clearReceived();
    dialog.ui.buttonBox_2->button(QDialogButtonBox::Ok)->click();
    ASSERT_TRUE(simulatorReceives("MT004014230000+0000002000000            ;"));
    settle();
    std::vector<std::string> written;
    for (const std::string& command : simulatorCommands())
        if (command.rfind("MT", 0) == 0)
            written.push_back(command);
    EXPECT_EQ(written, (std::vector<std::string>{"MT002014075000+000000C000001FT8 20M     ;",
                                                 "MT004014230000+0000002000000            ;"}));
    const auto stored = simulator.withRadio([](Sim::SimulatedRadio& radio) { return radio.channel(2); });
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->frequency, 14075000);
    EXPECT_TRUE(simulator.withRadio([](Sim::SimulatedRadio& radio) { return radio.channel(4).has_value(); }));
}

} // namespace
