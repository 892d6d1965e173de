// The exact integers behind the integer modes: 128-bit sums of products,
// what narrowing keeps of them, and the range each lies in.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/integer_arithmetic.h"
#include "core/modes.h"
#include "core/status_codes.h"

namespace calc {
namespace {

constexpr std::int64_t kU32 = 4294967295;

WideInteger Sum(std::initializer_list<WideInteger> terms) {
  WideInteger sum;
  for (const WideInteger& term : terms) sum += term;
  return sum;
}

struct WideRow {
  WideInteger value;
  std::string text;
  std::int64_t as_ulong;  // narrowed
  int ulong_warning;
  int long_warning;
};

TEST(WideIntegerTest, SumsOfProductsKeepTheirLowBitsSignAndRange) {
  const WideInteger square = WideInteger::Product(kU32, kU32);  // 2^64 - 2^33 + 1
  const WideInteger negative_square = WideInteger::Product(-kU32, kU32);
  const WideRow rows[] = {
      {WideInteger::From(-5), "-5", kU32 - 4, W_UNDERFLOW, 0},
      {WideInteger::Product(-2147483647 - 1, -1), "2147483648", 2147483648, 0, W_OVERFLOW},
      {square, "18446744065119617025", 1, W_OVERFLOW, W_OVERFLOW},
      {negative_square, "-18446744065119617025", kU32, W_UNDERFLOW, W_UNDERFLOW},
      {Sum({square, negative_square}), "0", 0, 0, 0},  // the carry clears the high word
      {Sum({square, square}), "36893488130239234048", 2, W_OVERFLOW, W_OVERFLOW},  // nearest real
      {Sum({negative_square, negative_square, WideInteger::From(3)}), "-36893488130239234048", 1, W_UNDERFLOW,
       W_UNDERFLOW},
      {Sum({negative_square, WideInteger::From(1 - (std::int64_t{1} << 33))}), "-18446744073709551616", 0,
       W_UNDERFLOW, W_UNDERFLOW},  // -2^64: low bits 0, high word -1
      {Sum({square, WideInteger::From(-1)}), "18446744065119617024", 0, W_OVERFLOW, W_OVERFLOW},
  };
  for (const WideRow& row : rows) {
    EXPECT_EQ(row.value.ToText(), row.text);
    EXPECT_EQ(NarrowWide(row.value, kModeUlong), row.as_ulong) << row.text;
    EXPECT_EQ(RangeWarningOf(row.value, kModeUlong), row.ulong_warning) << row.text;
    EXPECT_EQ(RangeWarningOf(row.value, kModeLong), row.long_warning) << row.text;
  }
}

}  // namespace
}  // namespace calc
