#include "core/dates.h"

#include <algorithm>
#include <cstdio>

namespace kalvora::core {

namespace {

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeap(year))
        return 29;
    return days[month - 1];
}

// Proleptic Gregorian calendar, counted from 1970-01-01 (H. Hinnant's civil algorithms).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

std::string format(const char* pattern, int a, int b, int c) {
    char buf[48];
    std::snprintf(buf, sizeof buf, pattern, a, b, c);
    return buf;
}

bool digitsAt(std::string_view s, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

std::optional<Date> checked(int year, int month, int day) {
    const Date d{year, month, day};
    if (!isValid(d))
        return std::nullopt;
    return d;
}

// Keeps the day arithmetic far from integer overflow (about a million years either side).
constexpr long long dayLimit = 400'000'000LL;

}  // namespace

bool isValid(const Date& d) {
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.year, d.month);
}

long long toDayNumber(const Date& d) {
    // Out-of-range months and days are folded in, so that any date gives some day number.
    const int month = std::clamp(d.month, 1, 12);
    return daysFromCivil(d.year, static_cast<unsigned>(month), 1) + (static_cast<long long>(d.day) - 1);
}

Date fromDayNumber(long long days) {
    days = std::clamp(days, -dayLimit, dayLimit) + 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return Date{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

Date addDays(const Date& d, long long days) {
    return fromDayNumber(toDayNumber(d) + std::clamp(days, -dayLimit, dayLimit));
}

long long daysBetween(const Date& from, const Date& to) { return toDayNumber(to) - toDayNumber(from); }

std::string toDdMmYyyy(const Date& d) { return format("%02d/%02d/%04d", d.day, d.month, d.year); }
std::string toYyyymmdd(const Date& d) { return format("%04d%02d%02d", d.year, d.month, d.day); }
std::string toMmDdYyyy(const Date& d) { return format("%02d-%02d-%04d", d.month, d.day, d.year); }

std::optional<Date> parseDdMmYyyy(std::string_view text) {
    int day = 0, month = 0, year = 0;
    if (text.size() != 10 || text[2] != '/' || text[5] != '/' || !digitsAt(text, 0, 2, day) ||
        !digitsAt(text, 3, 2, month) || !digitsAt(text, 6, 4, year))
        return std::nullopt;
    return checked(year, month, day);
}

std::optional<Date> parseMmDdYyyy(std::string_view text) {
    int day = 0, month = 0, year = 0;
    if (text.size() != 10 || text[2] != '-' || text[5] != '-' || !digitsAt(text, 0, 2, month) ||
        !digitsAt(text, 3, 2, day) || !digitsAt(text, 6, 4, year))
        return std::nullopt;
    return checked(year, month, day);
}

std::optional<Date> parseYyyymmdd(std::string_view text) {
    int day = 0, month = 0, year = 0;
    if (text.size() != 8 || !digitsAt(text, 0, 4, year) || !digitsAt(text, 4, 2, month) ||
        !digitsAt(text, 6, 2, day))
        return std::nullopt;
    return checked(year, month, day);
}

}  // namespace kalvora::core
