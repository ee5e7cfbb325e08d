#include <gtest/gtest.h>

#include "addin/statements.h"
#include "host/source_module.h"
#include "support/support.h"

namespace {

TEST(Statements, FirstAndLastLineOfAContinuedStatement) {
    const host::SourceModule m(testsupport::Crlf(
        "Sub Foo(a, _\n"   // 1
        "        b, _\n"   // 2
        "        c)\n"     // 3
        "x = 1\n"          // 4
        "Call Bar(x, _\n"  // 5
        "         y, _")); // 6: the last line, still continued
    for (long line : {1, 2, 3}) {
        EXPECT_EQ(ide::FirstLineOfStatement(m, line), 1) << line;
        EXPECT_EQ(ide::LastLineOfStatement(m, line), 3) << line;
    }
    EXPECT_EQ(ide::FirstLineOfStatement(m, 4), 4);
    EXPECT_EQ(ide::LastLineOfStatement(m, 4), 4);
    EXPECT_EQ(ide::FirstLineOfStatement(m, 6), 5);
    EXPECT_EQ(ide::LastLineOfStatement(m, 5), 6);  // stops at the module's end
    EXPECT_EQ(ide::LastLineOfStatement(m, 1, 2), 2);  // and at the limit
}

}  // namespace
