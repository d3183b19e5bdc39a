#include "app/Corvane.h"
#include "app/trace.h"

#include <QSerialPort>

#include <algorithm>

#include <fmt/format.h>

namespace {
// A peer that never sends ";" must not grow the buffer without end. Answers are a few dozen
// bytes, so keeping the last 256 of an over-long rest never cuts a well-formed answer.
constexpr size_t receiveBufferCap = 4096;
constexpr size_t receiveBufferKeep = 256;
} // namespace

void Corvane::OnRadioRead() {
    while (serialPort && serialPort->bytesAvailable() > 0) {
        QByteArray chunk = serialPort->readAll();
        // A NUL never reaches the buffer: some USB adapters pad their packets with them.
        chunk.replace('\0', QByteArray());
        receiveBuffer.append(chunk.constData(), static_cast<size_t>(chunk.size()));
    }
    // The answer leaves the buffer before it is dispatched: a handler can open a modal dialog
    // whose event loop runs this slot again, and that run must see only the bytes not yet cut.
    for (size_t end; (end = receiveBuffer.find(';')) != std::string::npos;) {
        std::string answer = receiveBuffer.substr(0, end + 1);
        Trace(fmt::format("{:s}\r\n", answer));
        receiveBuffer.erase(0, end + 1);
        ProcessCommmand(answer);
        lastAnswer = answer;
        heardFromRadio();
    }
    if (receiveBuffer.size() > receiveBufferCap) {
        Trace(fmt::format("dropped {:d} bytes without ;\r\n", receiveBuffer.size() - receiveBufferKeep));
        receiveBuffer.erase(0, receiveBuffer.size() - receiveBufferKeep);
    }
}

Yaesu::Commands::FT891::CommandType Corvane::CommandType(std::string answer) const {
    return Yaesu::Commands::FT891::ClassifyAnswer(answer);
}
