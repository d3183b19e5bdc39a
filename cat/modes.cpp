#include "cat/modes.h"

#include <algorithm>
#include <iterator>

namespace Yaesu::Commands::FT891 {

namespace {
template <class Match> const Mode* findMode(Match match) noexcept {
    const Mode* row = std::find_if(std::begin(modes), std::end(modes), match);
    return row == std::end(modes) ? nullptr : row;
}
} // namespace

const Mode* ModeOfCode(int code) noexcept {
    return findMode([code](const Mode& mode) { return mode.code == code; });
}

const Mode* ModeNamed(std::string_view name) noexcept {
    return findMode([name](const Mode& mode) { return mode.editor == name || mode.panel == name; });
}

} // namespace Yaesu::Commands::FT891
