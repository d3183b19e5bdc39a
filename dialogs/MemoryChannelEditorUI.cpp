#include "dialogs/MemoryChannelEditorUI.h"

#include "backup/channels_csv.h"
#include "cat/modes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardItemModel>

#include <algorithm>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;

namespace {

enum Column { Channel, Frequency, Mode, Operation, ClarifierOn, ClarifierValue, Ctcss, TagOn, TagName };
using Backup::channelCount;
using Backup::highestFrequency;
using Backup::lowestFrequency;

const QStringList headers = {"Channel",         "Frequency",  "Mode", "Operation", "Clarifier Enabled",
                             "Clarifier Value", "CTCSS Type", "Tag",  "Tag Name"};
// The radio's own mode codes, one list item each, the code in the item's data.
QComboBox* modeBox(int code) {
    auto* box = new QComboBox;
    for (const CAT::Mode& mode : CAT::modes)
        box->addItem(QString::fromUtf8(mode.editor.data(), static_cast<int>(mode.editor.size())), mode.code);
    box->setCurrentIndex(box->findData(code));
    return box;
}

QStringList listOf(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list;
}

// "7.074.000" (MHz, kHz and Hz groups) or the hertz as digits; anything else is no frequency.
std::optional<int> typedFrequency(const QString& text) {
    static const QRegularExpression grouped(R"(^\d{1,2}\.\d{3}\.\d{3}$)");
    static const QRegularExpression plain(R"(^\d{1,8}$)");
    const QString trimmed = text.trimmed();
    if (!grouped.match(trimmed).hasMatch() && !plain.match(trimmed).hasMatch())
        return std::nullopt;
    return QString(trimmed).remove('.').toInt();
}

// A tag goes into the command as it stands: a ";" would end the command early and the rest
// would reach the radio as a command of its own.
bool validTag(const QString& tag) {
    const QByteArray bytes = tag.toUtf8();
    return Backup::ValidTag(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString frequencyText(int hertz) {
    return QString::fromStdString(
        fmt::format("{:d}.{:03}.{:03}", hertz / 1000000, (hertz / 1000) % 1000, hertz % 1000));
}

QComboBox* comboOf(const QStringList& items, int index) {
    auto* box = new QComboBox;
    box->addItems(items);
    box->setCurrentIndex(index >= 0 && index < items.size() ? index : -1);
    return box;
}

} // namespace

MemoryChannelEditorUI::MemoryChannelEditorUI(QWidget* parent)
    : QDialog(parent), model(new QStandardItemModel(this)) {
    ui.setupUi(this);
    resetModel();
    ui.tableView->setModel(model);
    ui.tableView->installEventFilter(this);
    connect(ui.btnAddRow_2, &QPushButton::clicked, this, &MemoryChannelEditorUI::addRow);
    connect(ui.buttonBox_2, &QDialogButtonBox::clicked, this, &MemoryChannelEditorUI::onButtonClicked);
    addFileButtons();
}

void MemoryChannelEditorUI::addFileButtons() {
    auto* row = new QHBoxLayout;
    auto* exportButton = new QPushButton("Export CSV…", this);
    exportButton->setObjectName("btnExportCsv");
    auto* importButton = new QPushButton("Import CSV…", this);
    importButton->setObjectName("btnImportCsv");
    row->addWidget(exportButton);
    row->addWidget(importButton);
    row->addStretch();
    ui.verticalLayout->insertLayout(ui.verticalLayout->indexOf(ui.lblMessage), row);
    const QString filter = "Memory channels (*.csv);;All files (*)";
    connect(exportButton, &QPushButton::clicked, this, [this, filter] {
        const QString path =
            QFileDialog::getSaveFileName(this, "Export Memory Channels", "FT-891 channels.csv", filter);
        if (!path.isEmpty())
            exportCsv(path);
    });
    connect(importButton, &QPushButton::clicked, this, [this, filter] {
        const QString path = QFileDialog::getOpenFileName(this, "Import Memory Channels", QString(), filter);
        if (!path.isEmpty())
            importCsv(path);
    });
}

bool MemoryChannelEditorUI::exportCsv(const QString& path) {
    std::vector<CAT::ChannelRecord> rows;
    for (const CAT::ChannelRecord& record : channels) {
        QString problem;
        const std::optional<CAT::ChannelRecord> row = rowRecord(record, problem);
        markRow(record.channel - 1, problem);
        if (!problem.isEmpty()) {
            ui.lblMessage->setText(
                QString("Nothing exported; channel %1: %2").arg(record.channel).arg(problem));
            return false;
        }
        if (row)
            rows.push_back(*row);
    }
    std::sort(rows.begin(), rows.end(),
              [](const CAT::ChannelRecord& a, const CAT::ChannelRecord& b) { return a.channel < b.channel; });
    const std::string csv = Backup::WriteChannelsCsv(rows);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.data(), static_cast<qint64>(csv.size())) < 0 ||
        !file.commit()) {
        ui.lblMessage->setText(QString("Could not write %1: %2").arg(path, file.errorString()));
        return false;
    }
    ui.lblMessage->setText(QString("Exported %1 channels to %2.").arg(rows.size()).arg(path));
    return true;
}

bool MemoryChannelEditorUI::importCsv(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui.lblMessage->setText(QString("Nothing imported; %1: %2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(Backup::maxChannelsFileBytes) + 1);
    const Backup::ReadChannels read =
        Backup::ReadChannelsCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!read.problem.empty()) {
        ui.lblMessage->setText(QString("Nothing imported; %1").arg(QString::fromStdString(read.problem)));
        return false;
    }
    for (const CAT::ChannelRecord& record : read.channels) {
        AddChannelRow(record);
        // The file's rows are the operator's: OK writes them even where they match the radio.
        asRead.erase(record.channel);
        markRow(record.channel - 1, QString());
    }
    ui.lblMessage->setText(
        QString("Imported %1 channels; OK writes them to the radio.").arg(read.channels.size()));
    return true;
}

void MemoryChannelEditorUI::resetModel() {
    model->clear();
    model->setRowCount(channelCount);
    model->setColumnCount(static_cast<int>(headers.size()));
    model->setHorizontalHeaderLabels(headers);
}

template <class Widget> Widget* MemoryChannelEditorUI::cell(int row, int column) const {
    return qobject_cast<Widget*>(ui.tableView->indexWidget(model->index(row, column)));
}

// Return in a cell adds a row like Return in the table; it must not reach OK.
void MemoryChannelEditorUI::placeCell(int row, int column, QWidget* widget) {
    widget->installEventFilter(this);
    ui.tableView->setIndexWidget(model->index(row, column), widget);
}

void MemoryChannelEditorUI::AddChannelRow(const CAT::ChannelRecord& record) {
    if (record.channel < 1 || record.channel > channelCount)
        return;
    const auto known = std::find_if(channels.begin(), channels.end(),
                                    [&](const CAT::ChannelRecord& r) { return r.channel == record.channel; });
    if (known != channels.end())
        *known = record;
    else
        channels.push_back(record);
    unanswered.erase(record.channel);
    const int row = record.channel - 1;
    model->setItem(row, Channel, new QStandardItem(QString::number(record.channel)));
    model->setItem(row, Mode, new QStandardItem(QString::number(record.mode)));
    auto* frequency = new QLineEdit(frequencyText(record.frequency));
    placeCell(row, Frequency, frequency);
    placeCell(row, Mode, modeBox(record.mode));
    placeCell(row, Operation, comboOf(listOf(Backup::ShiftNames()), record.operation));
    auto* clarifierOn = new QCheckBox;
    auto* clarifier = new QLineEdit(QString::number(record.clarifierValue));
    clarifier->setValidator(new QIntValidator(-9999, 9999, clarifier));
    connect(clarifierOn, &QCheckBox::stateChanged, clarifier,
            [clarifier](int s) { clarifier->setEnabled(s != 0); });
    clarifierOn->setChecked(record.clarifierEnabled == 1);
    clarifier->setEnabled(record.clarifierEnabled == 1);
    placeCell(row, ClarifierOn, clarifierOn);
    placeCell(row, ClarifierValue, clarifier);
    placeCell(row, Ctcss, comboOf(listOf(Backup::ToneNames()), record.ctcssType));
    auto* tagOn = new QCheckBox;
    // The radio fills the tag field with blanks; they go back when the command is built.
    auto* tag =
        new QLineEdit(record.tagEnabled == 1 ? QString::fromStdString(record.tagName).trimmed() : QString());
    connect(tagOn, &QCheckBox::stateChanged, tag, [tag](int s) { tag->setEnabled(s != 0); });
    tagOn->setChecked(record.tagEnabled == 1);
    tag->setEnabled(record.tagEnabled == 1);
    placeCell(row, TagOn, tagOn);
    placeCell(row, TagName, tag);
    asRead[record.channel] = cellsText(row);
    frequency->setFocus();
}

// Everything the operator can change in a row, to tell a row left as it was read.
QString MemoryChannelEditorUI::cellsText(int row) const {
    const auto checked = [this, row](int column) {
        return cell<QCheckBox>(row, column)->isChecked() ? "1" : "0";
    };
    const auto index = [this, row](int column) {
        return QString::number(cell<QComboBox>(row, column)->currentIndex());
    };
    return QStringList{cell<QLineEdit>(row, Frequency)->text(),
                       index(Mode),
                       index(Operation),
                       checked(ClarifierOn),
                       cell<QLineEdit>(row, ClarifierValue)->text(),
                       index(Ctcss),
                       checked(TagOn),
                       cell<QLineEdit>(row, TagName)->text()}
        .join('\n');
}

bool MemoryChannelEditorUI::touched(int channel) const {
    const auto read = asRead.find(channel);
    return read == asRead.end() || read->second != cellsText(channel - 1);
}

void MemoryChannelEditorUI::noteUnanswered(int channel) {
    unanswered.insert(channel);
    ui.lblMessage->setText(QString("Channel %1 did not answer; new rows leave it alone.").arg(channel));
}

void MemoryChannelEditorUI::addRow() {
    for (int channel = 1; channel <= channelCount; ++channel) {
        if (unanswered.count(channel) == 0 &&
            std::none_of(channels.begin(), channels.end(),
                         [channel](const CAT::ChannelRecord& r) { return r.channel == channel; })) {
            CAT::ChannelRecord record;
            record.channel = channel;
            AddChannelRow(record);
            asRead.erase(channel);
            ui.tableView->scrollTo(model->index(channel - 1, Channel));
            return;
        }
    }
    ui.lblMessage->setText("All 99 memory channels are in use.");
}

void MemoryChannelEditorUI::clearChannels() {
    channels.clear();
    confirmed.clear();
    asRead.clear();
    unanswered.clear();
    resetModel();
    ui.lblMessage->clear();
}

bool MemoryChannelEditorUI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addRow();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MemoryChannelEditorUI::onButtonClicked(QAbstractButton* button) {
    switch (ui.buttonBox_2->standardButton(button)) {
    case QDialogButtonBox::Ok:
        confirm();
        break;
    case QDialogButtonBox::Cancel:
        clearChannels();
        break;
    default:
        break;
    }
}

// Only the rows the operator changed are written, and nothing unless every one of them is
// valid: a row left as the radio reported it never goes back, so neither a scan gone wrong
// nor a field the editor cannot show changes the radio.
void MemoryChannelEditorUI::confirm() {
    std::vector<CAT::ChannelRecord> rows;
    QStringList problems;
    for (const CAT::ChannelRecord& record : channels) {
        if (!touched(record.channel)) {
            markRow(record.channel - 1, QString());
            continue;
        }
        QString problem;
        const std::optional<CAT::ChannelRecord> row = rowRecord(record, problem);
        markRow(record.channel - 1, problem);
        if (!problem.isEmpty())
            problems << QString("channel %1: %2").arg(record.channel).arg(problem);
        else if (row)
            rows.push_back(*row);
    }
    if (!problems.isEmpty()) {
        ui.lblMessage->setText("Nothing written; " + problems.join("; "));
        return;
    }
    confirmed = rows;
    accept();
}

std::optional<CAT::ChannelRecord> MemoryChannelEditorUI::rowRecord(const CAT::ChannelRecord& record,
                                                                   QString& problem) const {
    const int row = record.channel - 1;
    CAT::ChannelRecord out = record;
    if (const auto* edit = cell<QLineEdit>(row, Frequency)) {
        const std::optional<int> hertz = typedFrequency(edit->text());
        if (!hertz) {
            problem = QString("\"%1\" is not a frequency").arg(edit->text());
            return std::nullopt;
        }
        out.frequency = *hertz;
    }
    // A row left at 0 is a row the operator added and did not fill.
    if (out.frequency == 0)
        return std::nullopt;
    if (out.frequency < lowestFrequency || out.frequency > highestFrequency) {
        problem = "the frequency lies outside 30 kHz to 56 MHz";
        return std::nullopt;
    }
    const QComboBox* mode = cell<QComboBox>(row, Mode);
    if (mode->currentIndex() < 0) {
        problem = "no mode chosen";
        return std::nullopt;
    }
    out.mode = mode->currentData().toInt();
    out.operation = cell<QComboBox>(row, Operation)->currentIndex();
    out.clarifierEnabled = cell<QCheckBox>(row, ClarifierOn)->isChecked() ? 1 : 0;
    out.clarifierValue = out.clarifierEnabled ? cell<QLineEdit>(row, ClarifierValue)->text().toInt() : 0;
    out.ctcssType = std::max(0, cell<QComboBox>(row, Ctcss)->currentIndex());
    out.operation = std::max(0, out.operation);
    out.tagEnabled = cell<QCheckBox>(row, TagOn)->isChecked() ? 1 : 0;
    if (out.tagEnabled) {
        const QString tag = cell<QLineEdit>(row, TagName)->text();
        if (!validTag(tag)) {
            problem = "a tag is at most 12 printable ASCII characters, without \";\"";
            return std::nullopt;
        }
        out.tagName = tag.toStdString();
    }
    return out;
}

void MemoryChannelEditorUI::markRow(int row, const QString& problem) {
    QStandardItem* item = model->item(row, Channel);
    if (!item)
        return;
    item->setBackground(problem.isEmpty() ? QBrush() : QBrush(Qt::red));
    item->setToolTip(problem);
}
