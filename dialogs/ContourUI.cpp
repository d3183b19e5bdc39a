#include "dialogs/ContourUI.h"

#include "app/panel/look.h"

#include <QGraphicsScene>
#include <QPainterPath>

#include <cstdlib>

#include <fmt/format.h>

ContourUI::ContourUI(QWidget* parent)
    : QDialog(parent), pen(QBrush(Qt::black, Qt::SolidPattern), 3, Qt::SolidLine),
      scene(std::make_shared<QGraphicsScene>(QRectF())) {
    ui.setupUi(this);
    scene->setSceneRect(ui.graphicsView->geometry());
    ui.graphicsView->setScene(scene.get());
    showLabels();
    redraw();
}

// The view lets go of the scene before the scene goes.
ContourUI::~ContourUI() {
    ui.graphicsView->setScene(nullptr);
}

// An answer never moves a slider the operator is dragging; the curve follows in any case.
void ContourUI::ShowContourFrequency(int hz) {
    if (!MouseButtonHeld())
        ShowValue(ui.hsContourFreq, hz);
    showLabels();
    redraw();
}

void ContourUI::ShowContourLevel(int level) {
    if (!MouseButtonHeld())
        ShowValue(ui.vsContourLevel, level);
    showLabels();
    redraw();
}

void ContourUI::ShowContourWidth(int width) {
    if (!MouseButtonHeld())
        ShowValue(ui.hsContourWidth, width);
    showLabels();
    redraw();
}

void ContourUI::on_hsContourFreq_valueChanged(int value) {
    showLabels();
    emit on_ContourFrequency_valueChanged(value);
    redraw();
}

void ContourUI::on_vsContourLevel_valueChanged(int value) {
    showLabels();
    emit on_ContourLevel_valueChanged(value);
    redraw();
}

void ContourUI::on_hsContourWidth_valueChanged(int value) {
    showLabels();
    emit on_ContourWidth_valueChanged(value);
    redraw();
}

void ContourUI::on_OkButton_clicked() {
    close();
}

// The labels say what the sliders show.
void ContourUI::showLabels() {
    ui.lblFreq->setText(QString::fromStdString(fmt::format("{:d}Hz", ui.hsContourFreq->value())));
    ui.lblContourLevel->setText(QString::fromStdString(fmt::format("{:d} db", ui.vsContourLevel->value())));
    ui.lblContourWidth->setText(QString::fromStdString(fmt::format("{:d}", ui.hsContourWidth->value())));
}

// The curve is half an ellipse on the baseline: below it for a cut (level below 1), above it
// for a boost; its height follows the level and its width the width setting.
void ContourUI::redraw() {
    scene->clear();
    const QRectF view = ui.graphicsView->geometry();
    const int level = ui.vsContourLevel->value();
    const double baseline = view.top() + view.height() * 0.5;
    const double centre = view.width() / 3190.0 * ui.hsContourFreq->value();
    const double width = view.width() / ui.hsContourFreq->maximum() * (ui.hsContourWidth->value() * 50);
    const double height = view.height() / 40.0 * std::abs(level);
    leftBaseline = QLineF(0, baseline, centre - width / 2, baseline);
    rightBaseline = QLineF(centre + width / 2, baseline, view.right() + centre + width / 2, baseline);
    QPainterPath arc;
    const QRectF box(centre - width / 2, baseline - height / 2, width, height);
    arc.arcMoveTo(box, 180);
    arc.arcTo(box, 180, level < 1 ? 180 : -180);
    scene->addLine(leftBaseline);
    scene->addPath(arc, pen);
    scene->addLine(rightBaseline);
}
