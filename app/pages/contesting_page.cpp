// The Contesting page: the five voice channels of the radio's voice memory (record, play,
// the recording time limit), the five CW keyer memories (store, play), and the group the
// current mode can use.
#include "app/Corvane.h"
#include "app/pages/keyer_text.h"
#include "app/pages/menu_rows.h"
#include "app/pages/quiet.h"
#include "app/trace.h"

#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

#include <fmt/format.h>

namespace CAT = Yaesu::Commands::FT891;
using Form = Ui::CorvaneClass;

namespace {

// The radio records at most 20 seconds on a voice channel and then stops by itself.
constexpr int recordingLimitMs = 20000;

// The widgets of one voice channel and of one keyer memory, channel and memory 1 first.
struct VoiceChannelWidgets {
    QPushButton* Form::*record;
    QPushButton* Form::*play;
};
constexpr VoiceChannelWidgets voiceChannelWidgets[] = {
    {&Form::btnCh1Load, &Form::btnCh1Play}, {&Form::btnCh2Load, &Form::btnCh2Play},
    {&Form::btnCh3Load, &Form::btnCh3Play}, {&Form::btnCh4Load, &Form::btnCh4Play},
    {&Form::btnCh5Load, &Form::btnCh5Play},
};
struct KeyerMemoryWidgets {
    QLineEdit* Form::*text;
    QComboBox* Form::*type; // "TEXT" or "MESSAGE"
    QPushButton* Form::*play;
};
constexpr KeyerMemoryWidgets keyerMemoryWidgets[] = {
    {&Form::lnMemKey_1, &Form::cbMK, &Form::bnMkPlay},
    {&Form::lnMemKey_2, &Form::cbMK_2, &Form::bnMkPlay_2},
    {&Form::lnMemKey_3, &Form::cbMK_3, &Form::bnMkPlay_3},
    {&Form::lnMemKey_4, &Form::cbMK_4, &Form::bnMkPlay_4},
    {&Form::lnMemKey_5, &Form::cbMK_5, &Form::bnMkPlay_5},
};
static_assert(std::size(voiceChannelWidgets) == Corvane::voiceChannelCount);
constexpr int keyerMemoryCount = static_cast<int>(std::size(keyerMemoryWidgets));
static_assert(keyerMemoryCount == Corvane::voiceChannelCount, "one keyer memory beside each voice channel");

// The keyer's play command numbers a memory 1 to 5 as text and 6 to 10 as message.
constexpr int messageOffset = 5;

const QIcon& voiceIcon(Corvane::VoiceState state, bool recordButton) {
    static const QIcon record(":/Corvane/Record"), stopRecording(":/Corvane/StopRecording"),
        play(":/Corvane/Play"), stop(":/Corvane/Stop");
    if (recordButton)
        return state == Corvane::VoiceState::Recording ? stopRecording : record;
    return state == Corvane::VoiceState::Playing ? stop : play;
}

} // namespace

void Corvane::connectContestingPage() {
    voiceMemoryTimer->setSingleShot(true);
    voiceMemoryTimer->setInterval(recordingLimitMs);
    connect(voiceMemoryTimer, &QTimer::timeout, this, &Corvane::on_timerTimeout);
    for (int n = 1; n <= voiceChannelCount; ++n) {
        const VoiceChannelWidgets& channel = voiceChannelWidgets[n - 1];
        connect(ui.*channel.record, &QPushButton::clicked, this,
                [this, n] { voiceButtonClicked(n, VoiceState::Recording); });
        connect(ui.*channel.play, &QPushButton::clicked, this,
                [this, n] { voiceButtonClicked(n, VoiceState::Playing); });
        const KeyerMemoryWidgets& memory = keyerMemoryWidgets[n - 1];
        connect(ui.*memory.play, &QPushButton::clicked, this, [this, n] { playKeyerMemory(n); });
        connect(ui.*memory.text, &QLineEdit::returnPressed, this, [this, n] { storeKeyerMemory(n); });
        (ui.*memory.text)->setMaxLength(KeyerText::capacity);
        (ui.*memory.text)->setValidator(new KeyerText::Validator(ui.*memory.text));
    }
}

// The groups follow the mode at every click: the keyer in the CW modes, the voice memory in the
// others. (The page's reads are the tab table's.)
void Corvane::onContestingTabClicked() {
    const int mode = ui.cbMode->currentIndex();
    const bool cw = mode >= 3 && mode <= 5; // "CWL", "CWU", "CW"
    ui.gpDVS->setEnabled(!cw);
    ui.gpmemkeyer->setEnabled(cw);
}

// A click starts the channel when nothing records or plays, and stops it when it is the
// button's own activity; while one is active the other nine buttons are disabled.
void Corvane::voiceButtonClicked(int channel, VoiceState activity) {
    if (!contestingLoaded || !serialPort || !serialPort->isOpen())
        return;
    const VoiceState state = voiceStates[static_cast<size_t>(channel - 1)];
    if (state == activity)
        stopVoiceChannel(channel, activity);
    else if (std::all_of(voiceStates.begin(), voiceStates.end(),
                         [](VoiceState s) { return s == VoiceState::Idle; }))
        startVoiceChannel(channel, activity);
}

void Corvane::startVoiceChannel(int channel, VoiceState activity) {
    const VoiceChannelWidgets& widgets = voiceChannelWidgets[channel - 1];
    const bool recording = activity == VoiceState::Recording;
    voiceStates[static_cast<size_t>(channel - 1)] = activity;
    enableVoiceButtons(ui.*(recording ? widgets.record : widgets.play));
    showVoiceStates();
    if (recording) {
        write(CAT::SetLM(channel));
        // The radio ends a recording by itself at its limit and does not say so.
        voiceMemoryTimer->start();
    } else
        write(CAT::SetPB(channel), false);
}

void Corvane::stopVoiceChannel(int channel, VoiceState activity) {
    voiceStates[static_cast<size_t>(channel - 1)] = VoiceState::Idle;
    enableVoiceButtons(nullptr);
    showVoiceStates();
    write(activity == VoiceState::Recording ? CAT::SetLM(0) : CAT::SetPB(0), false);
    voiceMemoryTimer->stop();
}

// The recording time is up: every channel is idle again, and the radio is told so.
void Corvane::on_timerTimeout() {
    voiceStates.fill(VoiceState::Idle);
    enableVoiceButtons(nullptr);
    showVoiceStates();
    sendIfOpen(CAT::SetLM(0), false);
    sendIfOpen(CAT::SetPB(0), false);
    voiceMemoryTimer->stop();
}

// Information 4 with state 0: the radio has finished playing a voice channel.
void Corvane::onRadioInformationAnswer(CAT::IntPair information) {
    if (information.first != 4 || information.second != 0)
        return;
    bool played = false;
    for (VoiceState& state : voiceStates)
        if (state == VoiceState::Playing) {
            state = VoiceState::Idle;
            played = true;
        }
    if (!played)
        return;
    enableVoiceButtons(nullptr);
    showVoiceStates();
}

// Enables only `active` of the ten voice buttons, or all of them for nullptr.
void Corvane::enableVoiceButtons(QPushButton* active) {
    for (const VoiceChannelWidgets& channel : voiceChannelWidgets)
        for (QPushButton* button : {ui.*channel.record, ui.*channel.play})
            button->setEnabled(!active || button == active);
}

void Corvane::showVoiceStates() {
    for (size_t i = 0; i < voiceStates.size(); ++i) {
        (ui.*voiceChannelWidgets[i].record)->setIcon(voiceIcon(voiceStates[i], true));
        (ui.*voiceChannelWidgets[i].play)->setIcon(voiceIcon(voiceStates[i], false));
    }
}

void Corvane::playKeyerMemory(int memory) {
    if (!contestingLoaded)
        return;
    const bool message = (ui.*keyerMemoryWidgets[memory - 1].type)->currentIndex() == 1;
    sendIfOpen(CAT::SetKY(memory + (message ? messageOffset : 0)), false);
}

// Return in a keyer memory's line: its text goes to the radio, when the radio can key all of it.
void Corvane::storeKeyerMemory(int memory) {
    const QString typed = (ui.*keyerMemoryWidgets[memory - 1].text)->text();
    const std::optional<std::string> text = KeyerText::ForRadio(typed);
    if (!text) {
        statusBar()->showMessage(
            QString("Memory %1 holds characters the keyer cannot send; it was not stored").arg(memory), 5000);
        Trace(fmt::format("keyer memory {:d} not stored: {:s}\r\n", memory, typed.toStdString()));
        return;
    }
    sendIfOpen(CAT::SetKM({memory, *text}));
}

// The radio's stored text is shown as it is, up to the "}" that ends the message.
void Corvane::onKeyerMemoryAnswer(const CAT::KeyerMemoryRecord& memory) {
    if (memory.slot < 1 || memory.slot > keyerMemoryCount) {
        Trace(fmt::format("no keyer memory {:d}\r\n", memory.slot));
        return;
    }
    const std::string text = memory.text.substr(0, memory.text.find('}'));
    ShowQuietly(ui.*keyerMemoryWidgets[memory.slot - 1].text, &QLineEdit::setText,
                QString::fromLatin1(text.data(), static_cast<int>(text.size())));
}
