#pragma once
// Calendar dates without time zones or the system locale.
#include <optional>
#include <string>
#include <string_view>

namespace kalvora::core {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;
};

bool isValid(const Date& d);
// Days since 1970-01-01 (negative before) and back.
long long toDayNumber(const Date& d);
Date fromDayNumber(long long days);
Date addDays(const Date& d, long long days);
long long daysBetween(const Date& from, const Date& to);  // to - from

std::string toDdMmYyyy(const Date& d);   // "31/12/2014"
std::string toYyyymmdd(const Date& d);   // "20141231"
std::string toMmDdYyyy(const Date& d);   // "12-31-2014"
// Strict forms: exactly 10 characters with the separators in place and a real calendar day.
std::optional<Date> parseDdMmYyyy(std::string_view text);
std::optional<Date> parseMmDdYyyy(std::string_view text);
std::optional<Date> parseYyyymmdd(std::string_view text);

}  // namespace kalvora::core
