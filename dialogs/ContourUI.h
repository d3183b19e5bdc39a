#pragma once

#include "ui_ContourUI.h"

#include <QDialog>
#include <QLineF>
#include <QPen>

#include <memory>

class QGraphicsScene;

// The contour filter's dialog: a peak or dip of the receive audio drawn over a baseline, and
// sliders for its frequency, level and width. The operator's moves leave as signals; what the
// radio reports is shown with the Show functions, which send nothing.
class ContourUI : public QDialog {
    Q_OBJECT

public:
    explicit ContourUI(QWidget* parent);
    ~ContourUI() override;

    void ShowContourFrequency(int hz);
    void ShowContourLevel(int level);
    void ShowContourWidth(int width);

    Ui::ContourUI ui;

signals:
    void on_ContourFrequency_valueChanged(int hz);
    void on_ContourLevel_valueChanged(int level);
    void on_ContourWidth_valueChanged(int width);

private slots:
    void on_hsContourFreq_valueChanged(int value);
    void on_vsContourLevel_valueChanged(int value);
    void on_hsContourWidth_valueChanged(int value);
    void on_OkButton_clicked();

private:
    void showLabels();
    void redraw();

    QLineF leftBaseline, rightBaseline;
    QPen pen;
    std::shared_ptr<QGraphicsScene> scene;
};
