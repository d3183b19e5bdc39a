#pragma once

#include "backup/settings_file.h"

#include <QDialog>

#include <vector>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QTableWidget;

// The settings of a file that differ from the radio's, one row each with a check box, before
// anything is sent. OK asks for the checked ones to be sent (the dialog stays open and shows
// the progress); Cancel then stops after the setting on its way, and before OK it closes the
// dialog with nothing sent.
class RestoreSettingsDialog : public QDialog {
    Q_OBJECT

public:
    RestoreSettingsDialog(QWidget* parent, const QString& description,
                          const std::vector<Backup::Setting>& differing, const Backup::Reported& radio);

    std::vector<Backup::Setting> checkedSettings() const;
    // `done` of the checked settings have been confirmed by the radio.
    void showProgress(int done);
    bool sending() const { return started; }
    void reject() override;

    QTableWidget* table;
    QProgressBar* progress;
    QDialogButtonBox* buttons;
    QLabel* message;

signals:
    void sendRequested();
    void cancelRequested();

private:
    void onOk();

    std::vector<Backup::Setting> settings;
    bool started = false;
    bool cancelled = false;
};
