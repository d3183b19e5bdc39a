#include "app/outbox.h"

#include <algorithm>

namespace {
// "TX0;" → "TX1;": the command a release undoes.
std::string keyingUndoneBy(const std::string& release) {
    return release.substr(0, 2) + "1;";
}
} // namespace

std::string Outbox::kindOf(const std::string& command) {
    // A menu set names its item in the four digits after EX.
    return command.substr(0, command.compare(0, 2, "EX") == 0 ? 6 : 2);
}

bool Outbox::push(std::string command, Lane lane, std::function<void()> handed) {
    switch (lane) {
    case Lane::Release: {
        // A key still waiting would go out after its release and key the transmitter again.
        const std::string keying = keyingUndoneBy(command);
        for (std::deque<Command>* queue : {&own, &network})
            queue->erase(std::remove_if(queue->begin(), queue->end(),
                                        [&keying](const Command& c) { return c.text == keying; }),
                         queue->end());
        if (std::none_of(release.begin(), release.end(),
                         [&command](const Command& c) { return c.text == command; }))
            release.push_back({std::move(command), std::move(handed)});
        return true;
    }
    case Lane::Own:
        if (own.size() >= ownLimit)
            return false;
        own.push_back({std::move(command), std::move(handed)});
        return true;
    case Lane::Network: {
        const std::string kind = kindOf(command);
        const auto waiting = std::find_if(network.begin(), network.end(),
                                          [&kind](const Command& c) { return kindOf(c.text) == kind; });
        if (waiting != network.end()) {
            *waiting = {std::move(command), std::move(handed)};
            return true;
        }
        if (network.size() >= networkLimit)
            return false;
        network.push_back({std::move(command), std::move(handed)});
        return true;
    }
    }
    return false;
}

Outbox::Command Outbox::take() {
    std::deque<Command>& queue = !release.empty() ? release : !own.empty() ? own : network;
    Command next = std::move(queue.front());
    queue.pop_front();
    return next;
}

void Outbox::clear() {
    release.clear();
    own.clear();
    network.clear();
}
