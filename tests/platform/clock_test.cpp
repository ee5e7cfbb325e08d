#include "platform/clock.h"

#include <gtest/gtest.h>

#include <ctime>

#include "support/support.h"

using testsupport::ScopedEnv;

TEST(Clock, NowHonoursOnlyAValidSourceDateEpoch) {
    EXPECT_EQ((testsupport::FixedClock(1783170309), platform::Now()), 1783170309);
    for (const char* invalid : {"", "abc", "12x", "-5", "1.5", " 12"}) {
        ScopedEnv epoch("SOURCE_DATE_EPOCH", invalid);
        const std::time_t before = std::time(nullptr);
        const std::time_t now = platform::Now();
        EXPECT_TRUE(before <= now && now <= std::time(nullptr)) << '"' << invalid << '"';
    }
}

// The three date texts in local time, the general and short ones as the locale for
// times has them (LC_ALL over LC_TIME over LANG; an empty one counts as unset).
TEST(Clock, DateTextsFollowTheTimeZoneAndLocale) {
    const std::time_t afternoon = 1783170309;  // 2026-07-04 13:05:09 UTC
    struct Texts {
        const char *header, *general, *shortDate;
    };
    const Texts c{"Saturday, July 04,2026 @ 1:05:09 pm", "2026-07-04 13:05:09", "2026-07-04"};
    const Texts german{"Samstag, Juli 04,2026 @ 1:05:09 pm", "04.07.26 13:05:09", "04.07.26"};
    const struct {
        const char *tz, *lcAll, *lcTime, *lang;
        Texts expected;
    } cases[] = {
        {"UTC", nullptr, nullptr, nullptr, c},
        {"UTC", "C", "de_DE.UTF-8", nullptr, c},
        {"UTC", "", "de_DE.UTF-8", "C", german},
        {"UTC", nullptr, nullptr, "de_DE.UTF-8", german},
        {"UTC", "en_US.UTF-8", nullptr, nullptr, {c.header, "7/4/26 1:05:09 PM", "7/4/26"}},
        // Eleven hours east of UTC it is already Sunday.
        {"XYZ-11", "C", nullptr, nullptr, {"Sunday, July 05,2026 @ 12:05:09 am", "2026-07-05 00:05:09", "2026-07-05"}},
    };
    for (const auto& t : cases) {
        ScopedEnv zone("TZ", t.tz), all("LC_ALL", t.lcAll), time("LC_TIME", t.lcTime), language("LANG", t.lang);
        EXPECT_EQ(platform::HeaderDate(afternoon), t.expected.header);
        EXPECT_EQ(platform::GeneralDate(afternoon), t.expected.general);
        EXPECT_EQ(platform::ShortDate(afternoon), t.expected.shortDate);
    }
    ScopedEnv zone("TZ", "UTC"), all("LC_ALL", "C");  // noon is 12 pm, the second before it 11 am
    EXPECT_EQ(platform::HeaderDate(afternoon - 3909), "Saturday, July 04,2026 @ 12:00:00 pm");
    EXPECT_EQ(platform::HeaderDate(afternoon - 3910), "Saturday, July 04,2026 @ 11:59:59 am");
}
