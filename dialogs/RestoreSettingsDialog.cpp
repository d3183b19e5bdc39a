#include "dialogs/RestoreSettingsDialog.h"

#include "backup/menu_names.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Item, Name, InFile, OnRadio };

} // namespace

RestoreSettingsDialog::RestoreSettingsDialog(QWidget* parent, const QString& description,
                                             const std::vector<Backup::Setting>& differing,
                                             const Backup::Reported& radio)
    : QDialog(parent), table(new QTableWidget(static_cast<int>(differing.size()), 4, this)),
      progress(new QProgressBar(this)),
      buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      message(new QLabel(description, this)), settings(differing) {
    setWindowTitle("Restore Settings");
    resize(640, 520);
    table->setHorizontalHeaderLabels({"Item", "Name", "In the file", "On the radio"});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < static_cast<int>(differing.size()); ++row) {
        const Backup::Setting& setting = differing[static_cast<std::size_t>(row)];
        auto* item = new QTableWidgetItem(QString::fromStdString(Backup::ItemText(setting.number)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        table->setItem(row, Item, item);
        table->setItem(row, Name, new QTableWidgetItem(Backup::FindMenuName(setting.number)->name));
        table->setItem(row, InFile, new QTableWidgetItem(QString::number(setting.value)));
        const std::optional<int> now = Backup::ReportedValue(radio, setting.number);
        table->setItem(row, OnRadio,
                       new QTableWidgetItem(now ? QString::number(*now) : QString("not known")));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnsToContents();
    message->setWordWrap(true);
    progress->setRange(0, 1);
    progress->setValue(0);
    progress->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(table);
    layout->addWidget(progress);
    layout->addWidget(buttons);
    connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &RestoreSettingsDialog::onOk);
    connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
            &RestoreSettingsDialog::reject);
}

std::vector<Backup::Setting> RestoreSettingsDialog::checkedSettings() const {
    std::vector<Backup::Setting> checked;
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, Item)->checkState() == Qt::Checked)
            checked.push_back(settings[static_cast<std::size_t>(row)]);
    return checked;
}

void RestoreSettingsDialog::showProgress(int done) {
    progress->setValue(done);
}

void RestoreSettingsDialog::onOk() {
    const int count = static_cast<int>(checkedSettings().size());
    if (count == 0) {
        message->setText("No setting is checked: nothing to send.");
        return;
    }
    started = true;
    table->setEnabled(false);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    progress->setRange(0, count);
    progress->setValue(0);
    progress->show();
    message->setText(
        QString("Sending %1 settings, each once the radio has confirmed the one before.").arg(count));
    emit sendRequested();
}

// Cancel, the Escape key and the window's close button: once sending has started, the
// window stays until the setting on its way is confirmed.
void RestoreSettingsDialog::reject() {
    if (!started) {
        QDialog::reject();
        return;
    }
    if (cancelled)
        return;
    cancelled = true;
    buttons->button(QDialogButtonBox::Cancel)->setEnabled(false);
    message->setText("Stopping once the radio has confirmed the setting on its way.");
    emit cancelRequested();
}
