#pragma once
#include "core/dates.h"

namespace kalvora::core {

struct DateTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Today and now. Nothing reads the system clock except SystemClock; tests set a FixedClock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
    Date today() const { return now().date; }
};

class SystemClock final : public Clock {
public:
    DateTime now() const override;  // local time
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime t) : t_(t) {}
    explicit FixedClock(Date d) : t_{d, 9, 0, 0} {}
    DateTime now() const override { return t_; }
    void set(DateTime t) { t_ = t; }
    void set(Date d) { t_.date = d; }

private:
    DateTime t_;
};

}  // namespace kalvora::core
