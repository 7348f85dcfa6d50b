#include "decimal.h"

#include "str_util.h"

std::int32_t read_decimal(const char* s) {
  s = skip_chars(s, " \t\n\v\f\r");
  const bool negative = *s == '-';
  if (*s == '-' || *s == '+') ++s;
  const long long limit = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
  long long magnitude = 0;
  for (; *s >= '0' && *s <= '9'; ++s) {
    magnitude = magnitude * 10 + (*s - '0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
