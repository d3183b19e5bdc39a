#pragma once

#include "ui_ManualNotch.h"

#include <QDialog>
#include <QLineF>
#include <QPen>

#include <array>

class QGraphicsScene;

// The manual IF notch's dialog: the notch drawn as a V in a baseline, its position on a
// slider in tens of Hz and its width (narrow or wide). The operator's choices leave as
// signals; what the radio reports is shown with the Show functions, which send nothing.
class ManualNotchUI : public QDialog {
    Q_OBJECT

public:
    explicit ManualNotchUI(QWidget* parent);
    ~ManualNotchUI() override;

    // The notch position in tens of Hz.
    void ShowNotchFrequency(int value);
    // 0 narrow, 1 wide.
    void ShowNotchWidth(int selection);
    int notchWidth() const { return widthSelection; }

    Ui::ManualNotchClass ui;

signals:
    // The operator moved the notch (by mouse, keyboard or wheel).
    void on_level_changed(int value);
    void on_contour_freq_changed(int value);
    // The operator chose a notch width.
    void widthChosen(int selection);

private slots:
    void on_hsNotchFreq_valueChanged(int value);
    void on_cbIFNotchActivated(int index);

private:
    void showFrequency();
    void redraw();

    // Baseline left and right, the V's two sides, the centre marker, one spare.
    std::array<QLineF, 6> segments;
    QPen blackPen, redPen;
    QGraphicsScene* scene;
    int widthSelection = 0;
};
