#pragma once

#include <string>

namespace convertor {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;

    std::string yyyymmdd() const;  // 20250305
    std::string isoDate() const;   // 2025-03-05
    bool operator==(const Date&) const = default;
};

// "20250305" -> "05/03/2025": the form shown to people and kept in the working tables.
std::string toDayMonthYear(const std::string& yyyymmdd);

class Clock {
public:
    virtual ~Clock() = default;
    virtual Date today() const = 0;
};

// The machine's local date.
class SystemClock : public Clock {
public:
    Date today() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(Date date) : m_date(date) {}
    Date today() const override { return m_date; }

private:
    Date m_date;
};

}  // namespace convertor
