#include "cat/menu.h"

#include <algorithm>

#include <fmt/compile.h>
#include <fmt/format.h>

#include "cat/field.h"
#include "cat/types.h"

namespace Yaesu::Commands::FT891 {

const MenuItem* FindMenuItem(int number) {
    const auto& catalogue = MenuCatalogue();
    const auto it = std::lower_bound(catalogue.begin(), catalogue.end(), number,
                                     [](const MenuItem& item, int n) { return item.number < n; });
    return it != catalogue.end() && it->number == number ? &*it : nullptr;
}

int NextMenuItem(int number) {
    const MenuItem* item = FindMenuItem(number);
    if (item == nullptr) {
        return 0;
    }
    const auto& catalogue = MenuCatalogue();
    const std::size_t index = static_cast<std::size_t>(item - catalogue.data());
    return index + 1 < catalogue.size() ? catalogue[index + 1].number : 0;
}

bool IsVersionItem(int number) {
    return number >= 1801 && number <= 1803;
}

std::string ReadMenu(int number) {
    return fmt::format(FMT_COMPILE("EX{:04};"), number);
}

namespace {

int Reshape(const MenuItem& item, int value) {
    switch (item.reshape) {
    case MenuReshape::None:
        return value;
    case MenuReshape::Clamp:
        return std::clamp(value, item.low, item.high);
    case MenuReshape::AtMost:
        return std::min(value, item.high);
    case MenuReshape::Step20AtMost:
        return std::min(value / 20 * 20, item.high);
    case MenuReshape::Step10Clamp:
        return std::clamp(value / 10 * 10, item.low, item.high);
    case MenuReshape::ClampStep10:
        return std::clamp(value, item.low, item.high) / 10 * 10;
    }
    return value;
}

} // namespace

int ReshapeMenuValue(int number, int value) {
    const MenuItem* item = FindMenuItem(number);
    return item == nullptr || item->readOnly ? value : Reshape(*item, value);
}

std::string SetMenu(int number, int value) {
    const MenuItem* item = FindMenuItem(number);
    if (item == nullptr || item->readOnly) {
        return ReadMenu(number); // safe fallback: ask instead of change (see menu.h)
    }
    const int v = Reshape(*item, value);
    switch (item->format) {
    case MenuFormat::Digits:
        return fmt::format(FMT_COMPILE("EX{:04}{:d};"), number, v);
    case MenuFormat::Zero2:
        return fmt::format(FMT_COMPILE("EX{:04}{:02};"), number, v);
    case MenuFormat::Zero3:
        return fmt::format(FMT_COMPILE("EX{:04}{:03};"), number, v);
    case MenuFormat::Zero4:
        return fmt::format(FMT_COMPILE("EX{:04}{:04};"), number, v);
    case MenuFormat::Sign2:
        return fmt::format(FMT_COMPILE("EX{:04}{:+03};"), number, v);
    case MenuFormat::Sign4:
        return fmt::format(FMT_COMPILE("EX{:04}{:+05};"), number, v);
    case MenuFormat::PeakHold:
        // 02-05: 0-3 append that one digit; any other value appends nothing (the read command).
        if (v >= 0 && v <= 3) {
            return fmt::format(FMT_COMPILE("EX{:04}{:d};"), number, v);
        }
        return ReadMenu(number);
    case MenuFormat::ReadOnly:
        break;
    }
    return ReadMenu(number);
}

int ParseMenuNumber(const std::string& answer) {
    return ReadField(answer, 2, 4);
}

int ParseMenu(const std::string& answer, int number) {
    const int found = ReadField(answer, 2, 4);
    if (found != number) {
        throw BadMenuItemException(found);
    }
    const MenuItem* item = FindMenuItem(number);
    if (item == nullptr) {
        throw BadMenuItemException(found); // no such item: it has no value field (see menu.h)
    }
    return ReadField(answer, 6, static_cast<std::size_t>(item->answerWidth));
}

std::string ParseMenuVersion(const std::string& answer, int number) {
    const int found = ReadField(answer, 2, 4);
    if (found != number || !IsVersionItem(number)) {
        throw BadMenuItemException(found);
    }
    const std::string major = ReadText(answer, 6, 2);
    const std::string minor = ReadText(answer, 8, 2);
    return fmt::format(FMT_COMPILE("V{}-{}"), major, minor);
}

} // namespace Yaesu::Commands::FT891
