// The local clock as the time built-ins and ":localtime" read it.
#pragma once

#include <ctime>
#include <optional>

namespace calc {

// The local broken-down time of `t` under the process's time zone (TZ);
// nullopt when the platform cannot represent it. Thread-safe.
std::optional<std::tm> LocalTime(std::time_t t);

// The field of a broken-down time a directive letter names: s seconds,
// m minutes, h hours, D day of the month, M month (0..11), Y years since
// 1900, w day of the week, y day of the year, d daylight-saving flag. Null
// for any other letter.
int std::tm::*TimeField(char letter);

}  // namespace calc
