#include "dialogs/ManualNotchUI.h"

#include "app/panel/look.h"

#include <QGraphicsScene>

#include <fmt/format.h>

ManualNotchUI::ManualNotchUI(QWidget* parent)
    : QDialog(parent), blackPen(QBrush(Qt::black, Qt::SolidPattern), 3, Qt::SolidLine),
      redPen(QBrush(Qt::red, Qt::SolidPattern), 3, Qt::SolidLine), scene(new QGraphicsScene(this)) {
    ui.setupUi(this);
    scene->setSceneRect(ui.graphicsView->geometry());
    ui.graphicsView->setScene(scene);
    connect(ui.cbIFNotch, QOverload<int>::of(&QComboBox::activated), this,
            &ManualNotchUI::on_cbIFNotchActivated);
    showFrequency();
    redraw();
}

ManualNotchUI::~ManualNotchUI() {
    ui.graphicsView->setScene(nullptr);
}

// An answer never moves the slider the operator is dragging.
void ManualNotchUI::ShowNotchFrequency(int value) {
    if (!MouseButtonHeld())
        ShowValue(ui.hsNotchFreq, value);
    showFrequency();
    redraw();
}

void ManualNotchUI::ShowNotchWidth(int selection) {
    widthSelection = selection;
    if (selection == 0 || selection == 1)
        ShowIndex(ui.cbIFNotch, selection);
    redraw();
}

// Every change of the operator's, from the mouse, the keyboard or the wheel, goes to the
// radio; the radio's reports arrive with the slider's signals blocked.
void ManualNotchUI::on_hsNotchFreq_valueChanged(int value) {
    showFrequency();
    redraw();
    emit on_level_changed(value);
}

void ManualNotchUI::on_cbIFNotchActivated(int index) {
    emit widthChosen(index);
}

void ManualNotchUI::showFrequency() {
    ui.lblFreq->setText(QString::fromStdString(fmt::format("{:d}Hz", ui.hsNotchFreq->value() * 10)));
}

void ManualNotchUI::redraw() {
    const double halfWidth = widthSelection == 0 ? 10 : widthSelection == 1 ? 20 : 0;
    const QRectF view = ui.graphicsView->geometry();
    const double baseline = view.top() + view.height() * 0.5;
    const double notch = ui.hsNotchFreq->value() / 320.0 * view.width();
    segments[0] = QLineF(0, baseline, notch - halfWidth, baseline);
    segments[1] = QLineF(notch + halfWidth, baseline, view.right(), baseline);
    segments[2] = QLineF(notch - halfWidth, baseline, notch, view.bottom());
    segments[3] = QLineF(notch, view.bottom(), notch + halfWidth, baseline);
    segments[4] = QLineF(view.width() * 0.5, view.bottom(), view.width() * 0.5, view.top());
    scene->clear();
    for (int i : {0, 1, 3, 2})
        scene->addLine(segments[static_cast<size_t>(i)], blackPen);
    scene->addLine(segments[4], redPen);
}
