#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "ide/attempt.h"

namespace {

// What "errors ignored" passes over: the host's, the files' and the encodings'
// failures, each with its reason and the host's error number; nothing else.
TEST(Attempt, PassesOverHostFileAndEncodingFailuresOnly) {
    struct Case {
        std::function<void()> step;
        int number;
        std::string reason;
    };
    const Case cases[] = {
        {[] { ide::Raise(ide::kSubNotDefined); }, ide::kSubNotDefined, "Sub or Function not defined"},
        {[] { throw platform::FileError(13, "/x/REVISION.TXT", "REVISION.TXT: permission denied"); }, 0,
         "REVISION.TXT: permission denied"},
        {[] { throw platform::EncodingError("line 3: \"\u20ac\" has no place in windows-1250", 7); }, 0,
         "line 3: \"\u20ac\" has no place in windows-1250"},
    };
    for (const Case& c : cases) {
        const std::optional<ide::Failure> failure = ide::Failed(c.step);
        ASSERT_TRUE(failure.has_value()) << c.reason;
        EXPECT_EQ(failure->number, c.number);
        EXPECT_EQ(failure->reason, c.reason);
    }
    EXPECT_FALSE(ide::Attempt(cases[0].step));
    int ran = 0;
    EXPECT_FALSE(ide::Failed([&] { ++ran; }).has_value());
    EXPECT_TRUE(ide::Attempt([&] { ++ran; }));
    EXPECT_EQ(ran, 2);
    // A logic error in a command must surface, in tests above all.
    EXPECT_THROW(ide::Attempt([] { throw std::logic_error("index past the end"); }), std::logic_error);
    EXPECT_THROW(ide::Attempt([] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_THROW(ide::Attempt([] { throw std::runtime_error("not ours"); }), std::runtime_error);
}

}  // namespace
