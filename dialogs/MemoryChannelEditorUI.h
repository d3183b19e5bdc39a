#pragma once

#include "ui_MemoryChannelEditor.h"

#include "cat/types.h"

#include <QDialog>

#include <map>
#include <optional>
#include <set>
#include <vector>

class QAbstractButton;
class QStandardItemModel;

// The radio's memory channels 1-99 in a table, one row per channel (row = channel - 1), with an
// editor in every cell. OK checks every row the operator changed before anything is written: a
// refused row is marked and the dialog stays open; once they are all valid the dialog is
// accepted and the rows to write, those changed alone, are in confirmedChannels().
class MemoryChannelEditorUI : public QDialog {
    Q_OBJECT

public:
    explicit MemoryChannelEditorUI(QWidget* parent);

    // Shows a channel in its row; a channel read again replaces its earlier record.
    void AddChannelRow(const Yaesu::Commands::FT891::ChannelRecord& record);
    // A channel the scan asked for that did not answer: it may hold something, so a new row
    // does not take it.
    void noteUnanswered(int channel);
    // A new row on the lowest channel that is free and answered.
    void addRow();
    // Empties the records and the rows; rows can be added again afterwards.
    void clearChannels();
    const std::vector<Yaesu::Commands::FT891::ChannelRecord>& records() const { return channels; }
    const std::vector<Yaesu::Commands::FT891::ChannelRecord>& confirmedChannels() const { return confirmed; }

    // The rows as CSV (the Export CSV… and Import CSV… buttons ask for the path). Export writes
    // the rows as their cells say and refuses while a row is refused; import fills the rows of
    // the channels in the file (nothing goes to the radio before OK) or, when any row of the
    // file is bad, changes nothing and names its line and column.
    bool exportCsv(const QString& path);
    bool importCsv(const QString& path);

    bool eventFilter(QObject* watched, QEvent* event) override;

    Ui::MemoryChannelEditor ui;

private:
    void addFileButtons();
    void onButtonClicked(QAbstractButton* button);
    void confirm();
    // The record as the row's cells say, nothing when the row is left out (frequency 0); a
    // reason in `problem` when the row is refused.
    std::optional<Yaesu::Commands::FT891::ChannelRecord>
    rowRecord(const Yaesu::Commands::FT891::ChannelRecord& record, QString& problem) const;
    void markRow(int row, const QString& problem);
    QString cellsText(int row) const;
    // A row is the operator's once a cell differs from the radio's answer that filled it; a row
    // added or imported is the operator's from the start.
    bool touched(int channel) const;
    void resetModel();
    template <class Widget> Widget* cell(int row, int column) const;
    void placeCell(int row, int column, QWidget* widget);

    std::vector<Yaesu::Commands::FT891::ChannelRecord> channels;
    std::vector<Yaesu::Commands::FT891::ChannelRecord> confirmed;
    std::map<int, QString> asRead; // by channel: the cells as the radio's answer filled them
    std::set<int> unanswered;
    QStandardItemModel* model;
};
