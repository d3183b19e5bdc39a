#include "cat/menu.h"

#include <algorithm>
#include <iterator>
#include <string_view>

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

// The command text of each set format, indexed by MenuFormat.
// clang-format off
constexpr std::string_view kSetFormats[] = {
    /* ReadOnly */ "EX{:04};",
    /* Digits   */ "EX{:04}{:d};",
    /* Zero2    */ "EX{:04}{:02};",
    /* Zero3    */ "EX{:04}{:03};",
    /* Zero4    */ "EX{:04}{:04};",
    /* Sign2    */ "EX{:04}{:+03};",
    /* Sign4    */ "EX{:04}{:+05};",
    /* PeakHold */ "EX{:04}{:d};",
};
// clang-format on
static_assert(std::size(kSetFormats) == static_cast<std::size_t>(MenuFormat::PeakHold) + 1);

std::string SetMenu(int number, int value) {
    const MenuItem* item = FindMenuItem(number);
    if (item == nullptr || item->readOnly) {
        return ReadMenu(number); // ask instead of change (see menu.h)
    }
    const int v = Reshape(*item, value);
    if (item->format == MenuFormat::PeakHold && (v < 0 || v > 3)) {
        return ReadMenu(number); // the peak hold item takes one digit 0-3 and nothing else
    }
    return fmt::format(fmt::runtime(kSetFormats[static_cast<std::size_t>(item->format)]), number, v);
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
