#include "cli/target.h"

#include <algorithm>
#include <cctype>
#include <tuple>

#include "host/module_file.h"

namespace cli {

namespace {

bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// "FILE" and what follows its last colon ("" when there is none).
std::pair<std::string, std::string> SplitLast(const std::string& text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) return {text, ""};
    return {text.substr(0, colon), text.substr(colon + 1)};
}

}  // namespace

Target ParseTarget(const std::string& text) {
    auto [head, last] = SplitLast(text);
    if (head == text) return {text, false, 0, {}};
    if (IsNumber(last)) {
        // FILE:LINE:COL: the column is dropped when what stands before is FILE:LINE.
        auto [file, line] = SplitLast(head);
        if (file != head && IsNumber(line)) {
            if (host::IsModuleFileName(file)) return {file, true, std::stol(line), {}};
            // A module followed by three numbers or more is a mistyped target,
            // not a file of that name.
            auto [module, more] = SplitLast(file);
            while (module != file && IsNumber(more)) {
                if (host::IsModuleFileName(module))
                    return {module, false, 0,
                            text + ": too many numbers; give FILE:LINE or FILE:LINE:COL, e.g. " + module + ":" + more};
                file = module;
                std::tie(module, more) = SplitLast(file);
            }
        }
        return {head, true, std::stol(last), {}};
    }
    if (host::IsModuleFileName(head))
        return {head, false, 0,
                text + ": '" + last + "' is not a line number; give FILE:LINE with LINE counted from 1, e.g. " +
                    head + ":12"};
    return {text, false, 0, {}};
}

}  // namespace cli
