// Backing up the radio: the menu settings saved from the radio's reports, a restore that sends
// only the differing, checked settings one at a time as the radio confirms each, bad files
// refused with nothing sent, and the memory channels through CSV in the editor.

#include "tests/app/fixture.h"

#include "backup/settings_file.h"
#include "dialogs/MemoryChannelEditorUI.h"
#include "dialogs/RestoreSettingsDialog.h"
#include "sim/menu_settings.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>

#include <algorithm>
#include <map>

#include <fmt/format.h>

namespace {

QString statusOf(Corvane& w) {
    return w.statusBar()->currentMessage();
}

void writeFile(const QString& path, const std::string& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

std::string readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::string settingsFile(const std::string& entries, const std::string& radio = "FT-891") {
    return R"({"program": "Corvane", "radio": ")" + radio +
           R"(", "format": 1, "saved": "2026-12-10T18:00:00Z", "firmware": {}, "settings": [)" + entries +
           "]}";
}

std::vector<QString> itemsOf(const RestoreSettingsDialog& dialog) {
    std::vector<QString> items;
    for (int row = 0; row < dialog.table->rowCount(); ++row)
        items.push_back(dialog.table->item(row, 0)->text());
    return items;
}

void clickButton(RestoreSettingsDialog& dialog, QDialogButtonBox::StandardButton which) {
    dialog.buttons->button(which)->click();
}

// The restore table the window has open, once closed ones are gone.
RestoreSettingsDialog* restoreDialogOf(Corvane& w) {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto open = w.findChildren<RestoreSettingsDialog*>();
    return open.size() == 1 ? open.front() : nullptr;
}

class BackupTest : public FrontPanelTest {
protected:
    QString path(const char* name) const { return configHome.filePath(name); }
    RestoreSettingsDialog* openDialog() { return restoreDialogOf(*window); }
};

// The radio's reports are what is saved; the status bar names what the radio never reported.
// (The Misc page's buttons ask for the file and end here.)
TEST_F(BackupTest, SavesWhatTheRadioReported) {
    const auto* save = window->findChild<QPushButton*>("pbSaveSettings");
    const auto* restore = window->findChild<QPushButton*>("pbRestoreSettings");
    ASSERT_TRUE(save && restore);
    EXPECT_EQ(save->text(), "Save settings…");
    EXPECT_EQ(restore->text(), "Restore settings…");
    EXPECT_TRUE(window->ui.misc->isAncestorOf(save));

    EXPECT_FALSE(window->saveSettingsTo(path("none.json")));
    EXPECT_EQ(statusOf(*window), "The radio has reported no menu settings yet: nothing saved.");
    EXPECT_FALSE(QFile::exists(path("none.json")));

    EXPECT_EQ(replyTo("EX1601050;EX0513-05;EX18010106;EX0401;EX0406;"), "");
    ASSERT_TRUE(window->saveSettingsTo(path("saved.json")));
    const QString status = statusOf(*window);
    EXPECT_TRUE(status.startsWith("Saved 2 menu settings to saved.json. Not reported by the radio, left out: "
                                  "01-01, 01-02, "))
        << status.toStdString();
    EXPECT_FALSE(status.contains("16-01") || status.contains("05-13"));
    EXPECT_TRUE(status.contains(" 04-01, 04-02, ")) << "an answer without a value is no report";
    const std::string json = readFile(path("saved.json"));
    EXPECT_NE(json.find(R"("item": "16-01",)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("value": -5)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("main": "V01-06")"), std::string::npos) << json;
    EXPECT_EQ(json.find("EX"), std::string::npos);
}

// OK sends the first checked setting and reads it back; each answer for that item sends the
// next, whatever else arrives; a setting the radio did not take is named at the end.
TEST_F(BackupTest, SendsCheckedSettingsOneByOneAsTheRadioConfirms) {
    replyTo("EX1601100;EX1602040;EX1603100;EX1604100;");
    writeFile(path("r.json"), settingsFile(R"({"item": "16-01", "value": 50}, {"item": "16-02", "value": 30},
                                              {"item": "16-03", "value": 100}, {"item": "16-04", "value": 60},
                                              {"item": "16-05", "value": 20})"));
    RestoreSettingsDialog* dialog = window->restoreSettingsFrom(path("r.json"));
    ASSERT_TRUE(dialog);
    // 16-03 already holds its value; 16-05 was never reported, so it differs.
    EXPECT_EQ(itemsOf(*dialog), (std::vector<QString>{"16-01", "16-02", "16-04", "16-05"}));
    EXPECT_EQ(dialog->table->item(3, 3)->text(), "not known");
    EXPECT_EQ(radioReceivesUntilQuiet(), "") << "sent before OK";
    dialog->table->item(2, 0)->setCheckState(Qt::Unchecked);

    clickButton(*dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(radioReceivesUntilQuiet(), "EX1601050;EX1601;");
    EXPECT_EQ(replyTo("EX1602040;"), "") << "another item's answer confirms nothing";
    EXPECT_EQ(replyTo("EX1601050;"), "EX1602030;EX1602;");
    EXPECT_EQ(dialog->progress->value(), 1);
    // The radio refused the set and reports the value it kept.
    EXPECT_EQ(replyTo("?;EX1602040;"), "EX1605020;EX1605;");
    EXPECT_EQ(replyTo("EX1605020;"), "");
    EXPECT_FALSE(openDialog());
    EXPECT_EQ(statusOf(*window), "Restored 2 of 3 settings; the radio kept its own value for 16-02.");
}

// Cancel waits for the setting on its way and sends nothing after it; a radio that stops
// answering stops the restore.
TEST_F(BackupTest, CancelAndSilenceStopBetweenSettings) {
    replyTo("EX1601100;EX1602040;");
    writeFile(path("r.json"),
              settingsFile(R"({"item": "16-01", "value": 50}, {"item": "16-02", "value": 30})"));
    RestoreSettingsDialog* dialog = window->restoreSettingsFrom(path("r.json"));
    ASSERT_TRUE(dialog);
    clickButton(*dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(radioReceivesUntilQuiet(), "EX1601050;EX1601;");
    clickButton(*dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(openDialog(), dialog) << "closed before the radio confirmed";
    EXPECT_EQ(replyTo("EX1601050;"), "");
    EXPECT_FALSE(openDialog());
    EXPECT_EQ(statusOf(*window), "Restored 1 of 2 settings; cancelled.");

    dialog = window->restoreSettingsFrom(path("r.json"));
    ASSERT_TRUE(dialog);
    EXPECT_EQ(itemsOf(*dialog), (std::vector<QString>{"16-02"}));
    clickButton(*dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(radioReceivesUntilQuiet(), "EX1602030;EX1602;");
    ASSERT_TRUE(runEventsUntil([this] { return !openDialog(); }, 3000));
    EXPECT_EQ(statusOf(*window), "Restored 0 of 1 settings; stopped: the radio did not answer for 16-02.");
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
}

// Every bad file is refused before anything is sent, and the status bar says why.
TEST_F(BackupTest, RefusesBadFilesWithNothingSent) {
    replyTo("EX1601100;");
    const std::string good = R"({"item": "16-01", "value": 50}, )";
    struct Case {
        const char* name;
        std::string text;
        const char* problem;
    };
    const Case cases[] = {
        {"empty", "", "the file is empty"},
        {"not JSON", "AGC FAST DELAY=300", "it is not JSON (at byte 1)"},
        {"truncated", settingsFile(good + good).substr(0, 150),
         "it ends before its JSON does (a cut-off file)"},
        {"another radio", settingsFile(R"({"item": "16-01", "value": 50})", "IC-7300"),
         "it holds the settings of another radio (\"IC-7300\")"},
        {"unknown item", settingsFile(good + R"({"item": "16-24", "value": 1})"),
         "entry 2: the FT-891 has no menu item 16-24"},
        {"the line's own speed", settingsFile(good + R"({"item": "05-06", "value": 1})"),
         "item 05-06 CAT RATE: no file restores it (the line's own speed: a new one would cut the line)"},
        {"out of range", settingsFile(good + R"({"item": "16-06", "value": 101})"),
         "item 16-06 50M PWR: 101 lies outside 5 to 100"},
        {"wrong type", settingsFile(good + R"({"item": "16-06", "value": "high"})"),
         "item 16-06 50M PWR: the value \"high\" is not a whole number"},
        {"10 MB of junk", std::string(10 << 20, 'j'),
         "it is 1048577 bytes long, more than any settings file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path("bad.json"), c.text);
        EXPECT_EQ(window->restoreSettingsFrom(path("bad.json")), nullptr);
        EXPECT_EQ(statusOf(*window), QString("bad.json not restored: %1. Nothing was sent.").arg(c.problem));
        EXPECT_FALSE(openDialog());
        EXPECT_EQ(radioReceivesUntilQuiet(), "");
    }
    EXPECT_TRUE(std::any_of(traceLines.begin(), traceLines.end(), [](const std::string& line) {
        return line.find("settings file bad.json refused: the file is empty") != std::string::npos;
    }));
}

class BackupSimulatorTest : public SimulatorPanelTest {
protected:
    RestoreSettingsDialog* openDialog() { return restoreDialogOf(*window); }
};

// Save, change settings on the radio, restore: the radio holds the saved values again, and
// only the changed settings that stayed checked were sent.
TEST_F(BackupSimulatorTest, RestoreBringsBackTheSavedSettings) {
    const QString file = configHome.filePath("ft891.json");
    ASSERT_TRUE(window->saveSettingsTo(file));
    EXPECT_TRUE(statusOf(*window).startsWith("Saved 154 menu settings to ft891.json."))
        << statusOf(*window).toStdString();
    const int power = simulator.menuValue(1601), weight = simulator.menuValue(403),
              delay = simulator.menuValue(709), split = simulator.menuValue(513);
    simulator.operate("EX1601035;");
    simulator.operate("EX040340;");
    simulator.operate("EX07092500;");
    simulator.operate("EX0513+15;");
    ASSERT_TRUE(runEventsUntil([this] { return window->ui.sbQuickSplit->value() == 15; }, 3000));
    simulator.clearReceived();

    RestoreSettingsDialog* dialog = window->restoreSettingsFrom(file);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(itemsOf(*dialog), (std::vector<QString>{"04-03", "05-13", "07-09", "16-01"}));
    dialog->table->item(1, 0)->setCheckState(Qt::Unchecked);
    clickButton(*dialog, QDialogButtonBox::Ok);
    ASSERT_TRUE(runEventsUntil([this] { return !openDialog(); }, 5000));
    EXPECT_EQ(statusOf(*window), "Restored 3 of 3 settings.");
    EXPECT_EQ(simulator.menuValue(1601), power);
    EXPECT_EQ(simulator.menuValue(403), weight);
    EXPECT_EQ(simulator.menuValue(709), delay);
    EXPECT_EQ(simulator.menuValue(513), 15) << "unchecked, yet sent";
    EXPECT_NE(split, 15);
    std::vector<std::string> sets;
    for (const std::string& command : simulatorCommands())
        if (command.rfind("EX", 0) == 0 && command.size() > 7)
            sets.push_back(command);
    EXPECT_EQ(sets.size(), 3u);
    EXPECT_EQ(window->ui.lvlCWWeight->value(), weight) << "the page follows the radio";
}

// After the read-back the file holds every item the radio lets a command set, each with the
// radio's value; the items nothing sets are left out, and the status bar says which and why.
TEST_F(BackupSimulatorTest, SavesEveryItemACommandSets) {
    const QString file = configHome.filePath("all.json");
    ASSERT_TRUE(window->saveSettingsTo(file));
    const Backup::ReadSettings read = Backup::ReadSettingsFile(readFile(file));
    ASSERT_TRUE(read.file) << read.problem;
    std::map<int, int> saved;
    for (const Backup::Setting& setting : read.file->settings)
        saved[setting.number] = setting.value;
    for (const Sim::MenuSetting& item : Sim::menuSettings()) {
        SCOPED_TRACE(item.number);
        const bool settable = item.access == Sim::MenuAccess::Set || Sim::linkedValue(item.number);
        const auto it = saved.find(item.number);
        if (!settable) {
            EXPECT_EQ(it, saved.end()) << "no command sets it";
        } else if (it == saved.end()) {
            ADD_FAILURE() << "left out";
        } else {
            EXPECT_EQ(it->second, simulator.menuValue(item.number));
        }
    }
    EXPECT_EQ(read.file->firmware.main, "V01-06");
    EXPECT_EQ(read.file->firmware.dsp, "V02-01");
    EXPECT_EQ(read.file->firmware.display, "V01-03");
    EXPECT_EQ(
        statusOf(*window),
        QString(
            "Saved %1 menu settings to all.json. Left out: 05-06 (the line's own speed: a new one would cut "
            "the line); 18-01, 18-02, 18-03 (firmware versions, which no command sets: the header "
            "names them).")
            .arg(saved.size()));
}

// The items the radio's menu does not take back are restored by the command that sets them,
// each confirmed by that command's answer before the next goes out.
TEST_F(BackupSimulatorTest, RestoreSetsEachItemByItsCommand) {
    const QString file = configHome.filePath("ft891.json");
    ASSERT_TRUE(window->saveSettingsTo(file));
    const int keyer = simulator.menuValue(401), blanker = simulator.menuValue(503),
              shift = simulator.menuValue(904), quickDial = simulator.menuValue(1401),
              voxGain = simulator.menuValue(1617), voxDelay = simulator.menuValue(1618);
    for (const char* change : {"EX04010;", "NL0008;", "EX09040500;", "EX14012;", "VG080;", "VD1000;"})
        simulator.operate(change);
    ASSERT_TRUE(runEventsUntil([this] { return window->ui.sbVoxDelay->value() == 1000; }, 3000));
    simulator.clearReceived();

    RestoreSettingsDialog* dialog = window->restoreSettingsFrom(file);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(itemsOf(*dialog), (std::vector<QString>{"04-01", "05-03", "09-04", "14-01", "16-17", "16-18"}));
    clickButton(*dialog, QDialogButtonBox::Ok);
    ASSERT_TRUE(runEventsUntil([this] { return !openDialog(); }, 5000));
    EXPECT_EQ(statusOf(*window), "Restored 6 of 6 settings.");
    EXPECT_EQ(simulatorCommands(), (std::vector<std::string>{fmt::format("EX0401{:d};", keyer), "EX0401;",
                                                             fmt::format("NL0{:03d};", blanker), "NL0;",
                                                             fmt::format("EX0904{:04d};", shift), "EX0904;",
                                                             fmt::format("EX1401{:d};", quickDial), "EX1401;",
                                                             fmt::format("VG{:03d};", voxGain), "VG;",
                                                             fmt::format("VD{:04d};", voxDelay), "VD;"}));
    EXPECT_EQ(simulator.menuValue(401), keyer);
    EXPECT_EQ(simulator.menuValue(503), blanker);
    EXPECT_EQ(simulator.menuValue(904), shift);
    EXPECT_EQ(simulator.menuValue(1401), quickDial);
    EXPECT_EQ(simulator.menuValue(1617), voxGain);
    EXPECT_EQ(simulator.menuValue(1618), voxDelay);
    EXPECT_EQ(window->ui.VoxLevel->value(), voxGain) << "the Vox page follows the radio";
}

// A restore by VG waits for the VG answer: a menu answer of another item, or nothing, is no
// confirmation, and a radio that keeps its own value is named.
TEST_F(BackupTest, VoxGainIsConfirmedByItsAnswer) {
    replyTo("EX16170050;EX16180500;");
    writeFile(path("vox.json"),
              settingsFile(R"({"item": "16-17", "value": 70}, {"item": "16-18", "value": 800})"));
    RestoreSettingsDialog* dialog = window->restoreSettingsFrom(path("vox.json"));
    ASSERT_TRUE(dialog);
    clickButton(*dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(radioReceivesUntilQuiet(), "VG070;VG;");
    EXPECT_EQ(replyTo("EX16190070;"), "") << "another item's answer confirms nothing";
    EXPECT_EQ(replyTo("VG070;"), "VD0800;VD;");
    EXPECT_EQ(replyTo("VD0500;"), "");
    EXPECT_FALSE(openDialog());
    EXPECT_EQ(statusOf(*window), "Restored 1 of 2 settings; the radio kept its own value for 16-18.");
}

} // namespace

namespace {

// The memory channel editor after a scan in which channels 1 and 2 are programmed.
class ChannelFileTest : public FrontPanelTest {
protected:
    MemoryChannelEditorUI* openScanned() {
        window->ui.btnMemEdit->click();
        EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;ID;");
        // Each read's answer, then the answer to the ID; read behind it.
        std::string empty;
        for (int channel = 3; channel <= 99; ++channel)
            empty += "?;ID0650;";
        // 7.074 MHz DATA-USB tagged; 29.62 MHz DATA-FM (code A), clarifier on at -150 Hz, ENC/DEC,
        // minus shift.
        radioSends("MT001007074000+000000C000001FT8 40M     ;ID0650;"
                   "MT002029620000-015010A010020            ;ID0650;" +
                       empty,
                   0);
        radioReceivesUntilQuiet();
        const auto open = window->findChildren<MemoryChannelEditorUI*>();
        return open.size() == 1 ? open.front() : nullptr;
    }
    QString path(const char* name) const { return configHome.filePath(name); }
};

// Export writes the rows as the editor shows them; import after Cancel brings the same rows
// back, which OK then writes to the radio.
TEST_F(ChannelFileTest, ExportThenImportRestoresTheRows) {
    MemoryChannelEditorUI* editor = openScanned();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(editor->exportCsv(path("channels.csv")));
    const std::string exported = readFile(path("channels.csv"));
    EXPECT_EQ(exported, "channel,frequency,mode,shift,clarifier,clarifier offset,tone,tag\n"
                        "1,7074000,DATA_USB,Simplex,off,0,OFF,FT8 40M\n"
                        "2,29620000,DATA_FM,Minus Shift,on,-150,ENC/DEC,\n");
    editor->ui.buttonBox_2->button(QDialogButtonBox::Cancel)->click();
    EXPECT_TRUE(editor->records().empty());

    ASSERT_TRUE(editor->importCsv(path("channels.csv")));
    EXPECT_EQ(editor->ui.lblMessage->text(), "Imported 2 channels; OK writes them to the radio.");
    EXPECT_EQ(radioReceivesUntilQuiet(), "") << "import wrote to the radio";
    ASSERT_TRUE(editor->exportCsv(path("again.csv")));
    EXPECT_EQ(readFile(path("again.csv")), exported);
    editor->ui.buttonBox_2->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(radioReceivesUntilQuiet(),
              "MT001007074000+000000C000001FT8 40M     ;MT002029620000-015010A010020            ;");
}

// A bad file changes no row and names its line and column; a row the editor refuses stops
// the export.
TEST_F(ChannelFileTest, RefusedFilesAndRowsChangeNothing) {
    MemoryChannelEditorUI* editor = openScanned();
    ASSERT_TRUE(editor);
    writeFile(path("bad.csv"), "channel,frequency,mode,shift,clarifier,clarifier offset,tone,tag\n"
                               "1,14074000,USB,Simplex,off,0,OFF,\n"
                               "2,14074000,FT4,Simplex,off,0,OFF,\n");
    EXPECT_FALSE(editor->importCsv(path("bad.csv")));
    EXPECT_EQ(editor->ui.lblMessage->text(),
              "Nothing imported; line 3: column mode: \"FT4\" is no mode of the radio");
    auto* frequency = qobject_cast<QLineEdit*>(
        editor->ui.tableView->indexWidget(editor->ui.tableView->model()->index(0, 1)));
    ASSERT_TRUE(frequency);
    EXPECT_EQ(frequency->text(), "7.074.000");

    frequency->setText("7.074");
    EXPECT_FALSE(editor->exportCsv(path("out.csv")));
    EXPECT_EQ(editor->ui.lblMessage->text(), "Nothing exported; channel 1: \"7.074\" is not a frequency");
    EXPECT_FALSE(QFile::exists(path("out.csv")));
    EXPECT_EQ(radioReceivesUntilQuiet(), "");
}

} // namespace
