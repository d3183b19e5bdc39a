// The meter bar, its scales, the busy label, and the meter readings asked for while the
// radio is on.
#include "app/Corvane.h"
#include "app/panel/look.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QSerialPort>
#include <QStatusBar>
#include <QTimer>

#include <vector>

namespace CAT = Yaesu::Commands::FT891;

namespace {

using Ui_ = Ui::CorvaneClass;
using WidgetOf = QWidget* (*)(Ui_&);
template <auto Member> QWidget* label(Ui_& ui) {
    return ui.*Member;
}

// A transmit scale label's place, worked out from gv_meter's x position X and width W.
struct TransmitScalePlace {
    WidgetOf label;
    double fraction;    // x = X + W × fraction ...
    int sixths;         // ... or, where not -1, x = (W / 6) × sixths + X in whole units
    WidgetOf centredOn; // ... less half this label's width, read before this row resizes
    int width;          // the label's new width; 0 keeps its own
};

// clang-format off
// The PO fractions are 60/255, 89/255, 152/255 and 209/255: the radio's power readings at
// 10, 20, 50 and 100 W.
constexpr TransmitScalePlace transmitScalePlaces[] = {
    // label                    fraction     sixths  centred on                  width
    {label<&Ui_::lbl0A>,        0,           0,      nullptr,                    16},
    {label<&Ui_::lbl5A>,        0,           1,      label<&Ui_::lbl0A>,         16},
    {label<&Ui_::lbl10A>,       0,           2,      label<&Ui_::lbl5A>,         21},
    {label<&Ui_::lbl15A>,       0,           3,      label<&Ui_::lbl10A>,        21},
    {label<&Ui_::lbl20A>,       0,           4,      label<&Ui_::lbl15A>,        21},
    {label<&Ui_::lbl25A>,       0,           5,      label<&Ui_::lbl20A>,        21},
    {label<&Ui_::lbl30A>,       0,           6,      label<&Ui_::lbl25A>,        35},
    {label<&Ui_::lbl0watt>,     0,           -1,     nullptr,                    16},
    {label<&Ui_::lbl10watt>,    0.235294119, -1,     label<&Ui_::lbl10watt>,     21},
    {label<&Ui_::lbl20watt>,    0.349019617, -1,     label<&Ui_::lbl20watt>,     21},
    {label<&Ui_::lbl50watt>,    0.596078455, -1,     label<&Ui_::lbl50watt>,     21},
    {label<&Ui_::lbl100watt>,   0.819607854, -1,     label<&Ui_::lbl100watt>,    31},
    {label<&Ui_::lbl150watt>,   1.0,         -1,     label<&Ui_::lbl100watt>,    50},
    {label<&Ui_::lblComp_0>,    0,           -1,     nullptr,                    16},
    {label<&Ui_::lblComp_5>,    0.15,        -1,     label<&Ui_::lblComp_5>,     21},
    {label<&Ui_::lblComp_10>,   0.3,         -1,     label<&Ui_::lblComp_10>,    21},
    {label<&Ui_::lblComp_15>,   0.45,        -1,     label<&Ui_::lblComp_15>,    21},
    {label<&Ui_::lblComp_20>,   0.6,         -1,     label<&Ui_::lblComp_20>,    21},
    {label<&Ui_::lblComp_25>,   0.75,        -1,     label<&Ui_::lblComp_25>,    21},
    {label<&Ui_::lblComp_30>,   1.0,         -1,     label<&Ui_::lblComp_30>,    0},
};

// The S-meter readings run 0 to 255 on the bar's scale: a reading of 130 ends under S9.
struct ReceiveScalePlace {
    WidgetOf label;
    double fraction; // of gv_meter's width, where the label's middle goes
};
constexpr ReceiveScalePlace receiveScalePlaces[] = {
    {label<&Ui_::lblS1>,    0.0470588244},  // 12/255
    {label<&Ui_::lblS3>,    0.160784319},   // 41/255
    {label<&Ui_::lblS5>,    0.254901975},   // 65/255
    {label<&Ui_::lblS7>,    0.372549019},   // 95/255
    {label<&Ui_::lblS9>,    0.509803921},   // 130/255
    {label<&Ui_::lblS20db>, 0.666666667},   // 170/255
    {label<&Ui_::lblS40db>, 0.80392156862}, // 205/255
    {label<&Ui_::lblS60>,   1.0},
};
// clang-format on

constexpr int scaleRow = 145;

// The scales in the order of cbMeterType after the S-meter: COMP, ALC, PO, SWR, ID.
enum Scale { SMeter, Comp, Alc, Po, Swr, Id, scaleCount };

std::vector<QWidget*> labelsOf(Ui_& ui, int scale) {
    switch (scale) {
    case SMeter:
        return {ui.lblS1, ui.lblS3, ui.lblS5, ui.lblS7, ui.lblS9, ui.lblS20db, ui.lblS40db, ui.lblS60};
    case Comp:
        return {ui.lblComp_0,  ui.lblComp_5,  ui.lblComp_10, ui.lblComp_15,
                ui.lblComp_20, ui.lblComp_25, ui.lblComp_30};
    case Alc:
        return {ui.lblalc};
    case Po:
        return {ui.lbl0watt, ui.lbl10watt, ui.lbl20watt, ui.lbl50watt, ui.lbl100watt, ui.lbl150watt};
    case Swr:
        return {ui.lbl1swr, ui.lbl1_5swr, ui.lbl2swr, ui.lbl3swr, ui.lblinfswr};
    case Id:
        return {ui.lbl0A, ui.lbl5A, ui.lbl10A, ui.lbl15A, ui.lbl20A, ui.lbl25A, ui.lbl30A};
    default:
        return {};
    }
}

// The radio's transmit meters are read as RM3 (COMP) to RM7 (ID), in cbMeterType's order.
constexpr int firstTransmitMeter = 3;
constexpr int meterPollIntervalMs = 200;
constexpr int silentPollIntervalMs = 1000;
constexpr qint64 meterAnswerTimeoutMs = 1000;

} // namespace

void Corvane::placeMeterScales() {
    const int x = ui.gv_meter->x();
    const int w = ui.gv_meter->width();
    for (const TransmitScalePlace& place : transmitScalePlaces) {
        QWidget* target = place.label(ui);
        const double offset = place.sixths >= 0 ? (w / 6) * place.sixths : w * place.fraction;
        const int half = place.centredOn ? place.centredOn(ui)->width() / 2 : 0;
        target->setGeometry(static_cast<int>(x + offset - half), scaleRow,
                            place.width > 0 ? place.width : target->width(), 16);
    }
    const QRect g = ui.gv_meter->geometry();
    for (const ReceiveScalePlace& place : receiveScalePlaces) {
        QWidget* target = place.label(ui);
        target->move(static_cast<int>(g.left() + g.width() * place.fraction - target->width() / 2), scaleRow);
    }
    showMeterScale(false);
}

void Corvane::createMeterScene() {
    auto* scene = new QGraphicsScene(ui.gv_meter->contentsRect(), this);
    scene->setBackgroundBrush(*meterBackgroundBrush);
    ui.gv_meter->setScene(scene);
    ui.gv_meter->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.gv_meter->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    meterPollTimer->setInterval(meterPollIntervalMs);
    connect(meterPollTimer, &QTimer::timeout, this, &Corvane::pollMeter);
    connect(ui.cbMeterType, QOverload<int>::of(&QComboBox::activated), this,
            &Corvane::on_cbMeterTypeActivated);
    meterClock.start();
    meterPollTimer->start();
}

// The scene holds the one bar; a reading moves it (a new item per reading would cost an
// allocation and a re-index of the scene five times a second).
QGraphicsRectItem* Corvane::meterBar() {
    QGraphicsScene* scene = ui.gv_meter->scene();
    if (!scene)
        return nullptr;
    const QList<QGraphicsItem*> items = scene->items();
    if (items.size() == 1)
        if (auto* bar = qgraphicsitem_cast<QGraphicsRectItem*>(items.front()))
            return bar;
    scene->clear();
    return scene->addRect(QRectF(), *meterBarPen, *meterBarBrush);
}

void Corvane::drawMeterBar(QGraphicsRectItem* bar, const QRectF& sceneRect) {
    bar->scene()->setSceneRect(sceneRect);
    bar->setRect(meterBarRect);
}

// A level that jumped up since the last reading may mean a signal: ask whether the receiver
// is busy. The first reading only sets the base.
void Corvane::busyCheck(float level, float threshold) {
    if (level > lastBusyLevel + threshold && lastBusyLevel > 0)
        write(CAT::ReadBY(), false);
    else
        paintBusyLabel(defaultButtonColour);
    lastBusyLevel = level;
}

void Corvane::paintBusyLabel(const QColor& colour) {
    Paint(ui.lblBusyIndicator, QPalette::Window, colour);
}

void Corvane::onMeterAnswer(CAT::IntPair reading) {
    meterReadSentAt = -1;
    QGraphicsRectItem* bar = meterBar();
    if (!bar)
        return;
    const QRectF contents = ui.gv_meter->contentsRect();
    const float level = static_cast<float>(reading.second) / 255.0f;
    const double full = contents.width() * static_cast<double>(level);
    double width = 0;
    switch (reading.first) {
    case 0:
        if (meterType >= 0 && meterType <= 4)
            width = full;
        else
            busyCheck(level, 0.05f);
        if (!transmitting) {
            width = full;
            busyCheck(level, 0.034f);
        }
        break;
    case 1:
        width = full;
        busyCheck(level, 0.34f);
        break;
    case 2:
        width = full;
        if (meterType < 0 || meterType > 4)
            busyCheck(level, 0.05f);
        break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
        width = full;
        break;
    default:
        // No meter of the radio: only the busy check, without its base condition.
        if (level > lastBusyLevel + 0.05f)
            write(CAT::ReadBY(), false);
        else
            paintBusyLabel(defaultButtonColour);
        lastBusyLevel = level;
        break;
    }
    meterBarRect = QRectF(contents.topLeft(), QSizeF(width, contents.height()));
    drawMeterBar(bar, contents);
}

void Corvane::onSMeterAnswer(int level) {
    meterReadSentAt = -1;
    QGraphicsRectItem* bar = meterBar();
    if (!bar)
        return;
    const QRectF g = ui.gv_meter->geometry();
    meterBarRect = QRectF(g.left(), g.top(), g.width() * (level / 255.0), g.height());
    drawMeterBar(bar, g);
}

void Corvane::onMeterSelectAnswer(int meter) {
    meterType = meter;
    ShowIndex(ui.cbMeterType, meter);
}

void Corvane::onTransmitAnswer(int state) {
    if (state == 0) {
        transmitting = false;
        showMeterScale(false);
        paintBusyLabel(defaultButtonColour);
    } else if (state == 1 || state == 2) {
        transmitting = true;
        paintBusyLabel(TransmitColour());
        showMeterScale(true);
    }
}

void Corvane::onBusyAnswer(int state) {
    if (state == 0)
        paintBusyLabel(defaultButtonColour);
    else if (state == 1)
        paintBusyLabel(BusyColour());
}

// The ALC scale is one label; the S-meter's numbers stay beside it.
void Corvane::showMeterScale(bool transmit) {
    const int shown = transmit ? meterType + Comp : SMeter;
    for (int scale = SMeter; scale < scaleCount; ++scale) {
        const bool visible = scale == shown || (scale == SMeter && (!transmit || shown == Alc));
        for (QWidget* scaleLabel : labelsOf(ui, scale))
            scaleLabel->setVisible(visible);
    }
}

void Corvane::on_cbMeterTypeActivated(int index) {
    if (!serialPort || !serialPort->isOpen())
        return;
    meterType = index;
    showMeterScale(transmitting);
    sendIfOpen(CAT::SetMS(meterType), false);
}

// The S-meter while receiving, the chosen transmit meter while transmitting; one read at a
// time, and none while the read-back, a restore or a memory scan talks to the radio (each
// takes a "?;" for its own). The reads are also the heartbeat of the line.
void Corvane::pollMeter() {
    const bool radioOn = ShowsColour(ui.btnPWR, PowerOnColour());
    if (!meterPolling || !serialPort || !serialPort->isOpen() || !radioOn || readBackInProgress ||
        restore.phase() == BandModeRestore::Phase::Restoring || memoryScanActive || !isEnabled() ||
        lineCheck != LineCheck::None) {
        meterReadSentAt = -1;
        unansweredSince = -1;
        // Nothing is asked now, so nothing is found silent: a radio switched off from the
        // panel is polled at the usual rate when it is on again.
        if (radioSilent) {
            radioSilent = false;
            meterPollTimer->setInterval(meterPollIntervalMs);
        }
        return;
    }
    const qint64 now = meterClock.elapsed();
    checkHeartbeat(now);
    // A silent radio is asked once a second, whatever became of the last read.
    if (!radioSilent && meterReadSentAt >= 0 && now - meterReadSentAt < meterAnswerTimeoutMs)
        return;
    const bool transmitMeter = transmitting && meterType >= 0 && meterType <= 4;
    write(transmitMeter ? CAT::ReadRM(meterType + firstTransmitMeter) : CAT::ReadSM());
    meterReadSentAt = now;
    if (unansweredSince < 0)
        unansweredSince = now;
}

// Switched off at its own switch, its CAT cable pulled at the radio, its CAT rate changed:
// the line stays and the radio says nothing at all.
void Corvane::checkHeartbeat(qint64 now) {
    if (radioSilent || unansweredSince < 0 || now - unansweredSince < radioSilentAfterMs)
        return;
    radioSilent = true;
    radio.radioSilent();
    meterPollTimer->setInterval(silentPollIntervalMs);
    statusBar()->showMessage("The radio does not answer: is it switched on, its CAT cable in and menu 05-06 "
                             "CAT RATE unchanged? Asking once a second");
}

void Corvane::heardFromRadio() {
    const qint64 now = meterClock.elapsed();
    const qint64 silence = lastHeardAt < 0 ? 0 : now - lastHeardAt;
    // A meter read that went unanswered for its whole time, given up and asked again: the radio
    // was away, if only for a moment.
    const bool missedARead = unansweredSince >= 0 && now - unansweredSince >= meterAnswerTimeoutMs;
    lastHeardAt = now;
    unansweredSince = -1;
    // A radio switched off and on again has forgotten its auto-information, however short the
    // silence was.
    if (radioSilent || missedARead)
        write(CAT::SetAI(1), false);
    radio.report(&Radio::RadioState::line, Radio::Field::Line, Radio::Line::Open);
    if (!radioSilent)
        return;
    radioSilent = false;
    meterPollTimer->setInterval(meterPollIntervalMs);
    statusBar()->showMessage("The radio answers again", 5000);
    // Long enough for the operator to have turned knobs at the radio: the panel no longer
    // shows the radio as it is.
    if (silence > readBackAfterSilenceMs && !readBackInProgress)
        startReadBack();
}
