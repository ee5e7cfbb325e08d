#include "indent/continuation.h"

namespace Indent {

namespace {

// Indexed by the state before and by whether the line ends with "_".
constexpr ContinuationStep kContinuationTable[4][2] = {
    /* 0 */ {{0, kNotContinued}, {0, kFirstLine}},
    /* 1 */ {{+1, kLastContinuationLine}, {+1, kContinuedFurther}},
    /* 2 */ {{0, kLastContinuationLine}, {0, kContinuedFurther}},
    /* 3 */ {{-1, kNotContinued}, {-1, kFirstLine}},
};

}  // namespace

ContinuationStep NextContinuation(ContinuationState before, std::string_view trimmed) {
    const bool continued = !trimmed.empty() && trimmed.back() == '_';
    return kContinuationTable[before][continued ? 1 : 0];
}

}  // namespace Indent
