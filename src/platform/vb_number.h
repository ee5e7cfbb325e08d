// The number reader behind Val and behind Format of a text.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

/// The text as a number when it is one and nothing else: blanks around it are
/// allowed, blanks inside are not ("12", " -1.5e3 ", "&H1F"); nullopt otherwise.
std::optional<double> WholeNumber(std::string_view text);

}  // namespace platform
