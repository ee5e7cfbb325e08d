#include "cli/target.h"

#include <algorithm>
#include <cctype>

namespace cli {

Target ParseTarget(const std::string& text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) return {text, false, 0};
    const std::string digits = text.substr(colon + 1);
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return {text, false, 0};
    return {text.substr(0, colon), true, std::stol(digits)};
}

}  // namespace cli
