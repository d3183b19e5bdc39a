// The memory channel editor: the scan of channels 1-99 driven by the radio's answers, refused
// input that never reaches the radio, new rows on free channels, and the exact MT commands OK
// writes back, against a radio played on the pseudo-terminal and against the simulator.

#include "tests/app/fixture.h"

#include "dialogs/MemoryChannelEditorUI.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <functional>

#include <fmt/format.h>

namespace {

using Access = CorvaneTestAccess;
using Yaesu::Commands::FT891::ChannelRecord;

enum Column { Channel, Frequency, Mode, Operation, ClarifierOn, ClarifierValue, Ctcss, TagOn, TagName };

// Channel 1 as the radio reports it: 7.074 MHz, DATA-USB, tag "FT8 40M".
const char* const channelOneAnswer = "MT001007074000+000000C000001FT8 40M     ;";
const ChannelRecord channelOne{1, 7074000, 0, 0, 0xC, 0, 0, 1, "FT8 40M     "};

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

class MemoryEditorTest : public FrontPanelTest {
protected:
    MemoryChannelEditorUI* editor() {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const auto open = window->findChildren<MemoryChannelEditorUI*>();
        return open.size() == 1 ? open.front() : nullptr;
    }
    // Opens the editor and plays a scan in which only channel 1 is programmed.
    MemoryChannelEditorUI* openScanned() {
        window->ui.btnMemEdit->click();
        EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;");
        std::string empty;
        for (int channel = 2; channel <= 99; ++channel)
            empty += "?;";
        radioSends(channelOneAnswer + empty, 0);
        radioReceivesUntilQuiet();
        EXPECT_FALSE(Access::memoryScanActive(*window));
        return editor();
    }
    void clickOk(MemoryChannelEditorUI& dialog) {
        dialog.ui.buttonBox_2->button(QDialogButtonBox::Ok)->click();
    }
};

// Each answer asks for the next channel; an answer is kept under the number asked for, "?;"
// skips an empty channel, and the scan ends after 99 without asking for 100.
TEST_F(MemoryEditorTest, ScanAsksChannelsInOrderAndEndsAfter99) {
    window->ui.btnMemEdit->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;");
    ASSERT_TRUE(editor());
    EXPECT_TRUE(editor()->isModal());
    EXPECT_EQ(replyTo("MT007014074000+0000002000001SSB 20M     ;"), "MT002;");
    EXPECT_EQ(replyTo("?;"), "MT003;");
    std::string empty, reads;
    for (int channel = 3; channel <= 99; ++channel) {
        empty += "?;";
        if (channel < 99)
            reads += fmt::format("MT{:03d};", channel + 1);
    }
    radioSends(empty, 0);
    EXPECT_EQ(radioReceivesUntilQuiet(), reads);
    EXPECT_FALSE(Access::memoryScanActive(*window));
    EXPECT_EQ(replyTo("?;"), "");

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
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;");
    EXPECT_EQ(radioReceives("MT002;", 4000), "MT002;");
    EXPECT_EQ(replyTo(channelOneAnswer), "MT003;");
    ASSERT_TRUE(editor());
    EXPECT_EQ(channelsOf(*editor()), std::vector<int>{2});

    editor()->close();
    EXPECT_FALSE(Access::memoryScanActive(*window));
    EXPECT_EQ(replyTo("?;"), "");
    window->ui.btnMemEdit->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;");
    ASSERT_TRUE(editor());
    EXPECT_TRUE(editor()->records().empty());
    // The port going away ends the scan too.
    CorvaneTestAccess::port(*window)->close();
    EXPECT_FALSE(Access::memoryScanActive(*window));
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

// A channel read with FM-N's second code goes back with it; the clarifier value goes only
// while the clarifier is on.
TEST_F(MemoryEditorTest, OkWritesEachRowAsItStands) {
    MemoryChannelEditorUI* dialog = openScanned();
    ASSERT_TRUE(dialog);
    ChannelRecord fmNarrow = channelOne;
    fmNarrow.channel = 3;
    fmNarrow.mode = 10;
    fmNarrow.clarifierEnabled = 1;
    fmNarrow.clarifierValue = -150;
    dialog->AddChannelRow(fmNarrow);
    EXPECT_EQ(cellOf<QComboBox>(*dialog, 2, Mode)->currentText(), "FM_N");
    EXPECT_TRUE(cellOf<QLineEdit>(*dialog, 2, ClarifierValue)->isEnabled());
    cellOf<QCheckBox>(*dialog, 0, ClarifierOn)->setChecked(true);
    cellOf<QLineEdit>(*dialog, 0, ClarifierValue)->setText("250");
    cellOf<QCheckBox>(*dialog, 0, ClarifierOn)->setChecked(false);
    EXPECT_FALSE(cellOf<QLineEdit>(*dialog, 0, ClarifierValue)->isEnabled());
    cellOf<QLineEdit>(*dialog, 0, TagName)->setText("FT8 40 M");
    clickOk(*dialog);
    EXPECT_EQ(radioReceivesUntilQuiet(),
              "MT001007074000+000000C000001FT8 40 M    ;MT003007074000-015010A000001FT8 40M     ;");
    EXPECT_FALSE(editor());
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

// The whole road against the simulated radio: its programmed channels read into the table,
// a silent one skipped, one edited and one added, and every row written back.
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
    std::vector<std::string> written;
    for (const std::string& command : simulatorCommands())
        if (command.rfind("MT", 0) == 0)
            written.push_back(command);
    EXPECT_EQ(written.size(), 6u);
    EXPECT_NE(std::find(written.begin(), written.end(), "MT002014075000+000000C000001FT8 20M     ;"),
              written.end());
    const auto stored = simulator.withRadio([](Sim::SimulatedRadio& radio) { return radio.channel(2); });
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->frequency, 14075000);
    EXPECT_TRUE(simulator.withRadio([](Sim::SimulatedRadio& radio) { return radio.channel(4).has_value(); }));
}

} // namespace
