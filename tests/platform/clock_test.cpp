#include "platform/clock.h"

#include <gtest/gtest.h>

#include <ctime>

#include "support/support.h"

using testsupport::ScopedEnv;

namespace {

std::time_t Utc(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return timegm(&t);
}

// The three date texts of one moment under a time zone and a locale setting
// (LC_ALL, LC_TIME, LANG; nullptr leaves a variable unset).
struct Texts {
    std::string header, general, shortDate;
};

Texts DatesUnder(std::time_t when, const char* tz, const char* lcAll, const char* lcTime = nullptr,
                 const char* lang = nullptr) {
    ScopedEnv zone("TZ", tz);
    ScopedEnv all("LC_ALL", lcAll);
    ScopedEnv time("LC_TIME", lcTime);
    ScopedEnv language("LANG", lang);
    return {platform::HeaderDate(when), platform::GeneralDate(when), platform::ShortDate(when)};
}

void ExpectDates(const Texts& actual, const Texts& expected) {
    EXPECT_EQ(actual.header, expected.header);
    EXPECT_EQ(actual.general, expected.general);
    EXPECT_EQ(actual.shortDate, expected.shortDate);
}

}  // namespace

TEST(Clock, NowHonoursOnlyAValidSourceDateEpoch) {
    {
        testsupport::FixedClock fixed(1783170309);
        EXPECT_EQ(platform::Now(), 1783170309);
    }
    for (const char* invalid : {"", "abc", "12x", "-5", "1.5", " 12"}) {
        ScopedEnv epoch("SOURCE_DATE_EPOCH", invalid);
        const std::time_t before = std::time(nullptr);
        const std::time_t now = platform::Now();
        EXPECT_GE(now, before) << '"' << invalid << '"';
        EXPECT_LE(now, std::time(nullptr)) << '"' << invalid << '"';
    }
}

TEST(Clock, HeaderDateUsesTwelveHoursAndLocalTime) {
    const std::time_t july4th = Utc(2026, 7, 4, 13, 5, 9);
    ExpectDates(DatesUnder(july4th, "UTC", "C"),
                {"Saturday, July 04,2026 @ 1:05:09 pm", "2026-07-04 13:05:09", "2026-07-04"});
    EXPECT_EQ(DatesUnder(Utc(2026, 7, 4, 0, 30, 0), "UTC", "C").header, "Saturday, July 04,2026 @ 12:30:00 am");
    EXPECT_EQ(DatesUnder(Utc(2026, 7, 4, 12, 0, 0), "UTC", "C").header, "Saturday, July 04,2026 @ 12:00:00 pm");
    EXPECT_EQ(DatesUnder(Utc(2026, 12, 31, 23, 59, 59), "UTC", "C").header,
              "Thursday, December 31,2026 @ 11:59:59 pm");
    // Eleven hours east of UTC it is already Sunday.
    ExpectDates(DatesUnder(july4th, "XYZ-11", "C"),
                {"Sunday, July 05,2026 @ 12:05:09 am", "2026-07-05 00:05:09", "2026-07-05"});
}

TEST(Clock, DateTextsFollowTheLocaleForTimes) {
    const std::time_t july4th = Utc(2026, 7, 4, 13, 5, 9);
    const Texts c = {"Saturday, July 04,2026 @ 1:05:09 pm", "2026-07-04 13:05:09", "2026-07-04"};
    ExpectDates(DatesUnder(july4th, "UTC", "C.UTF-8"), c);
    ExpectDates(DatesUnder(july4th, "UTC", "POSIX"), c);
    ExpectDates(DatesUnder(july4th, "UTC", nullptr), c);
    // LC_ALL wins over LC_TIME, which wins over LANG; an empty one counts as unset.
    ExpectDates(DatesUnder(july4th, "UTC", "C", "de_DE.UTF-8"), c);
    const Texts german = {"Samstag, Juli 04,2026 @ 1:05:09 pm", "04.07.26 13:05:09", "04.07.26"};
    ExpectDates(DatesUnder(july4th, "UTC", "", "de_DE.UTF-8", "C"), german);
    ExpectDates(DatesUnder(july4th, "UTC", nullptr, nullptr, "de_DE.UTF-8"), german);
    ExpectDates(DatesUnder(july4th, "UTC", "en_US.UTF-8"),
                {"Saturday, July 04,2026 @ 1:05:09 pm", "7/4/26 1:05:09 PM", "7/4/26"});
}
