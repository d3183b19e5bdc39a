// Saving the radio's menu settings to a file and restoring them: the buttons on the Misc page,
// the check of a file before anything is sent, and the restore that sends one setting at a
// time, each once the radio has reported the one before.
#include "app/Corvane.h"
#include "app/timeouts.h"
#include "app/trace.h"
#include "backup/menu_names.h"
#include "backup/setting_commands.h"
#include "backup/settings_file.h"
#include "dialogs/RestoreSettingsDialog.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QPushButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QTimer>

#include <fmt/format.h>

namespace {

const QString fileFilter = "Corvane settings (*.json);;All files (*)";

QString itemList(const std::vector<int>& items) {
    QStringList texts;
    for (int item : items)
        texts << QString::fromStdString(Backup::ItemText(item));
    return texts.join(", ");
}

} // namespace

// The buttons go in the CAT group, in code: the Misc page's form is shared with others, and
// its columns have no height to spare for a group of their own.
void Corvane::addBackupButtons() {
    auto* save = new QPushButton("Save settings…", ui.gpCAT);
    save->setObjectName("pbSaveSettings");
    save->setToolTip("Write every menu setting the radio has reported to a file");
    auto* restore = new QPushButton("Restore settings…", ui.gpCAT);
    restore->setObjectName("pbRestoreSettings");
    restore->setToolTip("Send the settings of a saved file back to the radio");
    ui.catForm->addRow(save);
    ui.catForm->addRow(restore);
    connect(save, &QPushButton::clicked, this, &Corvane::onSaveSettingsClicked);
    connect(restore, &QPushButton::clicked, this, &Corvane::onRestoreSettingsClicked);
    settingTimer = new QTimer(this);
    settingTimer->setSingleShot(true);
    settingTimer->setInterval(readTimeoutMs);
    connect(settingTimer, &QTimer::timeout, this, &Corvane::onSettingUnanswered);
}

void Corvane::onSaveSettingsClicked() {
    const QString path =
        QFileDialog::getSaveFileName(this, "Save Settings", "FT-891 settings.json", fileFilter);
    if (!path.isEmpty())
        saveSettingsTo(path);
}

void Corvane::onRestoreSettingsClicked() {
    const QString path = QFileDialog::getOpenFileName(this, "Restore Settings", QString(), fileFilter);
    if (!path.isEmpty())
        restoreSettingsFrom(path);
}

bool Corvane::saveSettingsTo(const QString& path) {
    const QString savedAt = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    const Backup::WrittenSettings written = Backup::WriteSettingsFile(reportedMenu, savedAt.toStdString());
    if (written.count == 0) {
        statusBar()->showMessage("The radio has reported no menu settings yet: nothing saved.");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(written.json.data(), static_cast<qint64>(written.json.size())) < 0 || !file.commit()) {
        statusBar()->showMessage(QString("Could not write %1: %2").arg(path, file.errorString()));
        return false;
    }
    QString message =
        QString("Saved %1 menu settings to %2.").arg(written.count).arg(QFileInfo(path).fileName());
    if (!written.missing.empty())
        message += QString(" Not reported by the radio, left out: %1.").arg(itemList(written.missing));
    if (!written.unknown.empty())
        message += QString(" Values no file could restore, left out: %1.").arg(itemList(written.unknown));
    QStringList leftOut;
    for (const Backup::LeftOut& group : written.leftOut)
        leftOut << QString("%1 (%2)").arg(itemList(group.items), QString::fromStdString(group.why));
    if (!leftOut.empty())
        message += QString(" Left out: %1.").arg(leftOut.join("; "));
    statusBar()->showMessage(message);
    return true;
}

RestoreSettingsDialog* Corvane::restoreSettingsFrom(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [this, &name](const QString& why) -> RestoreSettingsDialog* {
        statusBar()->showMessage(QString("%1 not restored: %2. Nothing was sent.").arg(name, why));
        Trace(fmt::format("settings file {:s} refused: {:s}\r\n", name.toStdString(), why.toStdString()));
        return nullptr;
    };
    if (readBackInProgress || restoreDialog)
        return refuse("the radio is busy with a read-back or another restore");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    // A file larger than any settings file is refused without being read whole.
    const QByteArray bytes = file.read(static_cast<qint64>(Backup::maxSettingsFileBytes) + 1);
    const Backup::ReadSettings read = Backup::ReadSettingsFile(bytes.toStdString());
    if (!read.file)
        return refuse(QString::fromStdString(read.problem));
    std::vector<Backup::Setting> differing;
    for (const Backup::Setting& setting : read.file->settings)
        if (Backup::ReportedValue(reportedMenu, setting.number) != setting.value)
            differing.push_back(setting);
    if (differing.empty()) {
        statusBar()->showMessage(QString("The radio already holds every setting in %1.").arg(name));
        return nullptr;
    }
    const Backup::Firmware& firmware = read.file->firmware;
    QString origin = QString("%1, saved %2").arg(name, QString::fromStdString(read.file->saved));
    if (!firmware.main.empty())
        origin += QString(" (firmware main %1, DSP %2, display %3)")
                      .arg(QString::fromStdString(firmware.main), QString::fromStdString(firmware.dsp),
                           QString::fromStdString(firmware.display));
    const QString description = QString("%1: %2 of its %3 settings differ from the radio's. Uncheck those to "
                                        "keep; OK sends the others.")
                                    .arg(origin)
                                    .arg(differing.size())
                                    .arg(read.file->settings.size());
    auto* dialog = new RestoreSettingsDialog(this, description, differing, reportedMenu);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    restoreDialog = dialog;
    connect(dialog, &RestoreSettingsDialog::sendRequested, this, &Corvane::startSettingsRestore);
    connect(dialog, &RestoreSettingsDialog::cancelRequested, this,
            [this] { settingsRestoreCancelled = true; });
    dialog->show();
    return dialog;
}

void Corvane::startSettingsRestore() {
    settingsToSend.clear();
    for (const Backup::Setting& setting : restoreDialog->checkedSettings())
        settingsToSend.push_back({setting.number, setting.value});
    settingsConfirmed = 0;
    settingsRefused.clear();
    settingsRestoreCancelled = false;
    sendNextSetting();
}

// The radio does not answer a set command: the read after it brings the value it now holds.
// With auto-information on, the radio reports a changed item by itself first; either answer
// confirms the setting. An item the menu does not take goes by the command that sets it, and
// that command's answer confirms it.
void Corvane::sendNextSetting() {
    if (settingsRestoreCancelled || settingsConfirmed == settingsToSend.size()) {
        endSettingsRestore();
        return;
    }
    const SettingToSend& setting = settingsToSend[settingsConfirmed];
    if (!sendIfOpen(Backup::SetCommand({setting.number, setting.value}), false)) {
        endSettingsRestore("the port is closed");
        return;
    }
    write(Backup::ReadCommand(setting.number));
    settingAwaited = setting.number;
    settingTimer->start();
}

void Corvane::onSettingReported(int item, int value) {
    if (settingAwaited == 0 || item != settingAwaited)
        return;
    settingTimer->stop();
    settingAwaited = 0;
    const SettingToSend& setting = settingsToSend[settingsConfirmed];
    if (value != setting.value) {
        settingsRefused.push_back(item);
        Trace(fmt::format("{:s} holds {:d}, not {:d}\r\n", Backup::ItemText(item), value, setting.value));
    }
    ++settingsConfirmed;
    if (restoreDialog)
        restoreDialog->showProgress(static_cast<int>(settingsConfirmed));
    sendNextSetting();
}

void Corvane::onItemReported(int item, int value) {
    reportedMenu[item] = std::to_string(value);
    onSettingReported(item, value);
}

void Corvane::onSettingUnanswered() {
    const int item = settingAwaited;
    settingAwaited = 0;
    endSettingsRestore(
        QString("the radio did not answer for %1").arg(QString::fromStdString(Backup::ItemText(item))));
}

void Corvane::endSettingsRestore(const QString& why) {
    settingTimer->stop();
    const std::size_t total = settingsToSend.size();
    QString message =
        QString("Restored %1 of %2 settings").arg(settingsConfirmed - settingsRefused.size()).arg(total);
    if (!why.isEmpty())
        message += QString("; stopped: %1").arg(why);
    else if (settingsConfirmed < total)
        message += "; cancelled";
    if (!settingsRefused.empty())
        message += QString("; the radio kept its own value for %1").arg(itemList(settingsRefused));
    statusBar()->showMessage(message + ".");
    settingsToSend.clear();
    if (restoreDialog)
        restoreDialog->accept();
    restoreDialog = nullptr;
}
