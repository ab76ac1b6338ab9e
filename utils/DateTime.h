// TDateTime: days since 30 December 1899 as a double, the fraction being the local time of day.
// Windows-free, so that the host-side packer stamps archive entries with the same arithmetic.
#pragma once

#include <cstdint>

using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;

// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
constexpr int64_t DaysFromCivil(int y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

constexpr int64_t DelphiEpochDays = DaysFromCivil(1899, 12, 30);

inline TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec = 0)
{
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - DelphiEpochDays);
    const double msecs = hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + msec;
    return days + msecs / MSecsPerDay;
}

struct TDateParts {
    int Year, Month, Day, Hour, Minute, Second, MSec;
};

// Splits a non-negative TDateTime, rounding to the nearest millisecond.
inline TDateParts DecodeDateTime(TDateTime value)
{
    const int64_t totalMs = static_cast<int64_t>(value * MSecsPerDay + 0.5);
    int64_t z = totalMs / 86400000 + DelphiEpochDays + 719468;
    int64_t msOfDay = totalMs % 86400000;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const int y = static_cast<int>(yoe + era * 400) + (m <= 2);
    TDateParts p{y, static_cast<int>(m), static_cast<int>(d), 0, 0, 0, 0};
    p.Hour = static_cast<int>(msOfDay / 3600000);
    msOfDay %= 3600000;
    p.Minute = static_cast<int>(msOfDay / 60000);
    msOfDay %= 60000;
    p.Second = static_cast<int>(msOfDay / 1000);
    p.MSec = static_cast<int>(msOfDay % 1000);
    return p;
}

// The DOS date and time words of a moment; false for a year outside 1980 to 2099 (both words 0).
inline bool DateTimeToDos(TDateTime value, uint16_t& dosDate, uint16_t& dosTime)
{
    dosDate = dosTime = 0;
    if (!(value >= 0.0))
        return false;
    const TDateParts p = DecodeDateTime(value);
    if (p.Year < 1980 || p.Year > 2099)
        return false;
    dosTime = static_cast<uint16_t>(p.Second / 2 + p.Minute * 32 + p.Hour * 2048);
    dosDate = static_cast<uint16_t>(p.Day + p.Month * 32 + (p.Year - 1980) * 512);
    return true;
}

// The moment that a DOS date and time stand for, in two-second steps.
inline TDateTime DosToDateTime(uint16_t dosDate, uint16_t dosTime)
{
    return EncodeDateTime(1980 + (dosDate >> 9), (dosDate >> 5) & 15, dosDate & 31,
                          dosTime >> 11, (dosTime >> 5) & 63, (dosTime & 31) * 2);
}
