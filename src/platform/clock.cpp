#include "platform/clock.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

std::tm LocalTime(std::time_t when) {
    tzset();  // the TZ of this moment, not of the first call
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

// The locale for dates, as the C library chooses it: the first of LC_ALL,
// LC_TIME and LANG that is set; none means the C locale. It is read at each
// call, so a change of the environment takes effect at once.
std::string TimeLocaleName() {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

bool IsCLocale(const std::string& name) { return name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0; }

QLocale TimeLocale(const std::string& name) {
    return IsCLocale(name) ? QLocale::c() : QLocale(QString::fromStdString(name));
}

QDate DateOf(const std::tm& t) { return QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday); }
QTime TimeOf(const std::tm& t) { return QTime(t.tm_hour, t.tm_min, t.tm_sec); }

// The locale's long time without its time zone ("HH:mm:ss t" gives "HH:mm:ss").
QString TimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        out += c;
    }
    return out.trimmed();
}

std::string Digits(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

std::string IsoDate(const std::tm& t) {
    return Digits(t.tm_year + 1900, 4) + "-" + Digits(t.tm_mon + 1, 2) + "-" + Digits(t.tm_mday, 2);
}

}  // namespace

std::time_t Now() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr) {
        long long seconds = 0;
        const char* end = epoch + std::strlen(epoch);
        const auto [stop, error] = std::from_chars(epoch, end, seconds);
        if (error == std::errc() && stop == end && stop != epoch && *epoch != '-')
            return static_cast<std::time_t>(seconds);
    }
    return std::time(nullptr);
}

std::string HeaderDate(std::time_t when) {
    const std::tm t = LocalTime(when);
    const QLocale locale = TimeLocale(TimeLocaleName());
    const int weekday = t.tm_wday == 0 ? 7 : t.tm_wday;  // Qt counts Monday 1 to Sunday 7
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    return locale.dayName(weekday, QLocale::LongFormat).toStdString() + ", " +
           locale.monthName(t.tm_mon + 1, QLocale::LongFormat).toStdString() + " " + Digits(t.tm_mday, 2) +
           "," + Digits(t.tm_year + 1900, 4) + " @ " + std::to_string(hour12) + ":" + Digits(t.tm_min, 2) +
           ":" + Digits(t.tm_sec, 2) + " " + (t.tm_hour < 12 ? "am" : "pm");
}

std::string GeneralDate(std::time_t when) {
    const std::tm t = LocalTime(when);
    const std::string name = TimeLocaleName();
    if (IsCLocale(name))
        return IsoDate(t) + " " + Digits(t.tm_hour, 2) + ":" + Digits(t.tm_min, 2) + ":" + Digits(t.tm_sec, 2);
    const QLocale locale = TimeLocale(name);
    return (locale.toString(DateOf(t), QLocale::ShortFormat) + u' ' +
            locale.toString(TimeOf(t), TimeFormatWithoutZone(locale)))
        .toStdString();
}

std::string ShortDate(std::time_t when) {
    const std::tm t = LocalTime(when);
    const std::string name = TimeLocaleName();
    if (IsCLocale(name)) return IsoDate(t);
    return TimeLocale(name).toString(DateOf(t), QLocale::ShortFormat).toStdString();
}

}  // namespace platform
