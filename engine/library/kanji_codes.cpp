#include "library/kanji_codes.h"

namespace calc {
namespace {

constexpr char kEsc = 27;
constexpr char kShiftOut = 14;  // SO
constexpr char kShiftIn = 15;   // SI
constexpr std::string_view kKanjiIn = "\x1B$B";
constexpr std::string_view kKanjiOut = "\x1B(B";

struct BytePair {
  unsigned char first;
  unsigned char second;
};

// The pair arithmetic below is modulo 256, as the byte casts make it.
constexpr unsigned char Byte(int value) { return static_cast<unsigned char>(value & 0xFF); }

// Twice the Shift-JIS lead byte folded back into 64..191: the row pair the
// lead byte stands for, in the form both conversions out of Shift-JIS use.
constexpr int ShiftJisRowBase(unsigned char s1) {
  const int t = (2 * s1) & 0xFF;
  return t < 64 ? t - 128 : t;
}

BytePair ShiftJisToJisPair(BytePair s) {
  const int t = ShiftJisRowBase(s.first);
  if (s.second > 158) return {Byte(t - 96), Byte(s.second - 126)};
  return {Byte(t - 97), Byte(s.second < 127 ? s.second - 31 : s.second - 32)};
}

BytePair ShiftJisToEucPair(BytePair s) {
  const int t = ShiftJisRowBase(s.first);
  if (s.second > 158) return {Byte(t + 32), Byte(s.second + 2)};
  return {Byte(t + 31), Byte(s.second + 96 + (s.second < 127 ? 1 : 0))};
}

BytePair JisToShiftJisPair(BytePair j) {
  const int d = j.first >> 1;
  if (j.first % 2 == 1)
    return {Byte(j.first > 93 ? d - 79 : d + 113), Byte(j.second + 31 + (j.second >= 96 ? 1 : 0))};
  return {Byte(j.first > 93 ? d - 80 : d + 112), Byte(j.second + 126)};
}

BytePair EucToShiftJisPair(BytePair e) {
  const int b = e.first >> 1;
  if (e.first % 2 == 1)
    return {Byte(e.first > 221 ? b + 113 : b + 49), Byte(e.second - 96 - (e.second < 224 ? 1 : 0))};
  return {Byte(e.first > 221 ? b + 112 : b + 48), Byte(e.second - 2)};
}

BytePair EucToJisPair(BytePair e) { return {Byte(e.first & 0x7F), Byte(e.second & 0x7F)}; }
BytePair JisToEucPair(BytePair j) { return {Byte(j.first | 0x80), Byte(j.second | 0x80)}; }

using PairConversion = BytePair (*)(BytePair);

constexpr bool IsHigh(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

void AppendPair(std::string& out, BytePair pair) {
  out += static_cast<char>(pair.first);
  out += static_cast<char>(pair.second);
}

BytePair PairAt(std::string_view text, std::size_t i) {
  return {static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1])};
}

// Shift-JIS or EUC to another 8-bit code or to JIS: a high byte and the byte
// after it are one character.
std::string ConvertHighPairs(std::string_view text, PairConversion convert, bool into_jis) {
  std::string out;
  bool in_run = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const bool pair = IsHigh(text[i]) && i + 1 < text.size();
    if (into_jis && pair != in_run) out += pair ? kKanjiIn : kKanjiOut;
    in_run = pair;
    if (!pair) {
      out += text[i++];
      continue;
    }
    AppendPair(out, convert(PairAt(text, i)));
    i += 2;
  }
  if (into_jis && in_run) out += kKanjiOut;
  return out;
}

// The length of the JIS mode switch at `i` (0 when there is none) and the
// mode it selects.
std::size_t ModeSwitchAt(std::string_view text, std::size_t i, bool& two_byte) {
  if (text[i] == kShiftIn || text[i] == kShiftOut) {
    two_byte = false;
    return 1;
  }
  if (text[i] != kEsc || i + 2 >= text.size()) return 0;
  const std::string_view sequence = text.substr(i + 1, 2);
  if (sequence == "$B" || sequence == "$@") {
    two_byte = true;
    return 3;
  }
  if (sequence == "(B" || sequence == "(J" || sequence == "(I") {
    two_byte = false;
    return 3;
  }
  return 0;
}

std::string ConvertFromJis(std::string_view text, PairConversion convert) {
  std::string out;
  bool two_byte = false;
  std::size_t i = 0;
  while (i < text.size()) {
    if (const std::size_t length = ModeSwitchAt(text, i, two_byte)) {
      i += length;
      continue;
    }
    if (two_byte && i + 1 < text.size()) {
      AppendPair(out, convert(PairAt(text, i)));
      i += 2;
      continue;
    }
    out += text[i++];
  }
  return out;
}

}  // namespace

KanjiCode DetectKanjiCode(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == kEsc && i + 1 < text.size() && text[i + 1] == '$') return KanjiCode::kJis;
    if (byte < 0x80) {
      ++i;
      continue;
    }
    if (byte >= 0x81 && byte <= 0x9F) return KanjiCode::kShiftJis;
    if (byte >= 0xA1 && byte <= 0xDF) return KanjiCode::kEuc;
    // 0x80, 0xA0 and 0xE0 and above start a character in either code.
    if (i + 1 >= text.size() || static_cast<unsigned char>(text[i + 1]) <= 0xA0) return KanjiCode::kShiftJis;
    i += 2;
  }
  return KanjiCode::kPlain;
}

std::string ConvertKanjiCode(std::string_view text, KanjiCode from, KanjiCode to) {
  if (from == to || from == KanjiCode::kPlain || to == KanjiCode::kPlain) return std::string(text);
  switch (from) {
    case KanjiCode::kJis:
      return ConvertFromJis(text, to == KanjiCode::kEuc ? JisToEucPair : JisToShiftJisPair);
    case KanjiCode::kShiftJis:
      return to == KanjiCode::kJis ? ConvertHighPairs(text, ShiftJisToJisPair, true)
                                   : ConvertHighPairs(text, ShiftJisToEucPair, false);
    case KanjiCode::kEuc:
      return to == KanjiCode::kJis ? ConvertHighPairs(text, EucToJisPair, true)
                                   : ConvertHighPairs(text, EucToShiftJisPair, false);
    case KanjiCode::kPlain:
      break;
  }
  return std::string(text);
}

}  // namespace calc
