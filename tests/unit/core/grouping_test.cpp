// The grouping pass: the parentheses it inserts, checked token by token
// against hand-grouped texts and, for random expressions, against a
// precedence-climbing parse of the same expression.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/context.h"
#include "core/grouping.h"
#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/token.h"
#include "core/tokenizer.h"

namespace calc {
namespace {

bool SameToken(const CalcToken& a, const CalcToken& b) {
  if (a.kind() != b.kind() || a.code() != b.code() || a.text() != b.text()) return false;
  return !a.is_number() || a.NumberValue().ToReal() == b.NumberValue().ToReal();
}

// A compact spelling for failure messages: "(", ")", operator forms, names,
// numbers, and kind numbers for anything else.
std::string Spell(const CalcTokenList& list) {
  std::string out;
  for (const CalcToken& token : list) {
    if (!out.empty()) out += ' ';
    if (token.Is(kTokOpen)) out += '(';
    else if (token.Is(kTokClose)) out += ')';
    else if (token.Is(kTokOperator)) out += OperatorForm(token.code());
    else if (token.Is(kTokName)) out += token.text();
    else if (token.Is(kTokNumber)) out += std::to_string(token.NumberValue().ToInteger());
    else {
      out += '<';
      out += std::to_string(token.kind());
      out += ':';
      out += std::to_string(token.code());
      out += '>';
    }
  }
  return out;
}

class GroupingTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  // Grouping `text` must give exactly the tokens of `grouped` (read ungrouped).
  void ExpectGroupedAs(const std::string& text, const std::string& grouped) {
    CalcTokenList actual;
    CalcTokenList expected;
    ASSERT_EQ(TokenizeAndGroup(ctx, text, true, actual), kDone) << text;
    ASSERT_EQ(Tokenize(ctx, grouped, true, expected), kDone) << grouped;
    bool same = actual.Count() == expected.Count();
    for (auto a = actual.begin(), e = expected.begin(); same && a != actual.end(); ++a, ++e)
      same = SameToken(*a, *e);
    EXPECT_TRUE(same) << text << "\n  grouped as  " << Spell(actual) << "\n  expected    " << Spell(expected);
  }

  CalcContext ctx;
};

struct GroupRow {
  std::string text;
  std::string grouped;
};

TEST_F(GroupingTest, TighterOperatorsOnTheRightAreParenthesised) {
  const GroupRow rows[] = {
      {"x=1+2*3", "x=(1+(2*3))"},
      {"1*2+3", "1*2+3"},          // left to right already right
      {"a-b*c+d", "a-(b*c)+d"},    // the group ends at the next operator as loose as "-"
      {"a<b*c+d", "a<(b*c+d)"},    // ... and runs on past "+", which binds tighter than "<"
      {"a||b&&c|d^e&f==g", "a||(b&&(c|(d^(e&(f==g)))))"},
      {"x*a++", "x*(a++)"},
      {"a*[-]b+c", "a*([-]b)+c"},
      {"f(a+b*c)", "f(a+(b*c))"},  // a closing parenthesis ends the group
  };
  for (const GroupRow& row : rows) ExpectGroupedAs(row.text, row.grouped);
}

TEST_F(GroupingTest, AssignmentsGroupToTheRight) {
  const GroupRow rows[] = {
      {"a=b=1", "a=(b=1)"},
      {"a+=b-=c*=d", "a+=(b-=(c*=d))"},
      {"a=b+c=d,e", "a=(b+c=d),e"},
      {"a,b=c,d", "a,(b=c),d"},
  };
  for (const GroupRow& row : rows) ExpectGroupedAs(row.text, row.grouped);
}

TEST_F(GroupingTest, KeywordsOpenAGroupAndUnbalancedParenthesesAreCompleted) {
  const GroupRow rows[] = {
      {"if x<1", "if(x<1)"},
      {"while i<n&&j", "while(i<n&&j)"},
      {"if (x<1)", "if (x<1)"},  // the walk meets the parenthesis first
      {"(1+2", "(1+2)"},
      {"1)+2", "(1)+2"},
      {")(", "()()"},
  };
  for (const GroupRow& row : rows) ExpectGroupedAs(row.text, row.grouped);
}

TEST_F(GroupingTest, LongAndDeeplyNestedLinesGroupWithoutRecursion) {
  std::string chain = "x";
  for (int i = 0; i < 5000; ++i) chain += (i % 2 ? "*x" : "-x");
  CalcTokenList list;
  ASSERT_EQ(TokenizeAndGroup(ctx, chain, true, list), kDone);
  EXPECT_EQ(list.Count(), 10001u + 2 * 2500);  // every "*" is wrapped

  const std::string deep = std::string(100000, '(') + "1";
  ASSERT_EQ(TokenizeAndGroup(ctx, deep, true, list), kDone);
  EXPECT_EQ(list.Count(), 200001u);
  const std::string closers = "1" + std::string(100000, ')');
  ASSERT_EQ(TokenizeAndGroup(ctx, closers, true, list), kDone);
  EXPECT_EQ(list.Count(), 200001u);
  EXPECT_TRUE(list.begin()->Is(kTokOpen));
}

// --- the property: grouping equals precedence --------------------------------

using Words = std::vector<std::string>;  // an expression, one token per word

// Binary operators with their C precedence, written out independently of the
// engine's table ("?" stands alone here, as in the engine).
const std::pair<const char*, int> kBinary[] = {
    {"*", 13},  {"/", 13},  {"%", 13},  {"+", 12},   {"-", 12},   {"<<", 11},  {">>", 11}, {"<", 10},
    {"<=", 10}, {">", 10},  {">=", 10}, {"==", 9},   {"!=", 9},   {"&", 8},    {"^", 7},   {"|", 6},
    {"&&", 5},  {"||", 4},  {"?", 3},   {"=", 2},    {"*=", 2},   {"/=", 2},   {"%=", 2},  {"+=", 2},
    {"-=", 2},  {"<<=", 2}, {">>=", 2}, {"&=", 2},   {"|=", 2},   {"^=", 2},   {",", 1},
};
const char* const kPrefix[] = {"[-]", "[!]", "[~]", "[+]", "[++]", "[--]"};

int Precedence(const std::string& word) {
  for (const auto& [op, level] : kBinary)
    if (word == op) return level;
  return 0;
}
bool IsPrefix(const std::string& word) { return word.front() == '['; }
bool IsPostfix(const std::string& word) { return word == "++" || word == "--"; }

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}
  Words Expression() {
    Words words;
    Append(words, 0);
    return words;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  void Append(Words& words, int depth) {
    Operand(words, depth);
    for (int n = Pick(5); n > 0; --n) {
      words.push_back(kBinary[Pick(std::size(kBinary))].first);
      Operand(words, depth);
    }
  }

  void Operand(Words& words, int depth) {
    while (Pick(4) == 0) words.push_back(kPrefix[Pick(std::size(kPrefix))]);
    if (depth < 3 && Pick(4) == 0) {
      words.push_back("(");
      Append(words, depth + 1);
      words.push_back(")");
    } else {
      words.push_back(Pick(2) ? std::string(1, static_cast<char>('a' + Pick(5))) : std::to_string(1 + Pick(9)));
    }
    if (Pick(8) == 0) words.push_back(Pick(2) ? "++" : "--");
  }

  std::mt19937 rng_;
};

// Precedence climbing over the words; every operation in parentheses.
class ReferenceParser {
 public:
  explicit ReferenceParser(const Words& words) : words_(words) {}
  std::string Parse() { return Binary(1); }

 private:
  std::string Binary(int min_level) {
    std::string left = Unary();
    while (pos_ < words_.size() && Precedence(words_[pos_]) >= min_level && Precedence(words_[pos_]) > 0) {
      const std::string op = words_[pos_++];
      const int level = Precedence(op);
      left = "(" + left + op + Binary(level == 2 ? level : level + 1) + ")";  // "=" to the right
    }
    return left;
  }

  std::string Unary() {
    if (IsPrefix(words_[pos_])) {
      const std::string op = words_[pos_++];
      return "(" + op + Unary() + ")";
    }
    std::string operand = words_[pos_++];
    if (operand == "(") {
      operand = Binary(1);
      ++pos_;  // ")"
    }
    while (pos_ < words_.size() && IsPostfix(words_[pos_])) operand = "(" + operand + words_[pos_++] + ")";
    return operand;
  }

  const Words& words_;
  std::size_t pos_ = 0;
};

// Reads a grouped list the way the evaluator does: strictly left to right, a
// prefix operator taking the operand right after it, a parenthesis a unit.
class LeftToRightReader {
 public:
  explicit LeftToRightReader(const CalcTokenList& list) : it_(list.begin()), end_(list.end()) {}
  std::string Read() {
    const std::string all = Sequence();
    return it_ == end_ ? all : all + "<unread tokens>";
  }

 private:
  bool AtOperator(int low, int high) const {
    return it_ != end_ && it_->Is(kTokOperator) && it_->code() >= low && it_->code() <= high;
  }

  std::string Sequence() {
    std::string left = Operand();
    while (AtOperator(kOpPostIncrement, kOpComma)) {
      const std::string op(OperatorForm((it_++)->code()));
      left = "(" + left + op + (IsPostfix(op) ? "" : Operand()) + ")";
    }
    return left;
  }

  std::string Operand() {
    if (it_ == end_) return "<missing>";
    if (AtOperator(kOpPreIncrement, kOpPlus)) {
      const std::string op(OperatorForm((it_++)->code()));
      return "(" + op + Operand() + ")";
    }
    const CalcToken& token = *it_++;
    if (token.Is(kTokName)) return std::string(token.text());
    if (token.Is(kTokNumber)) return std::to_string(token.NumberValue().ToInteger());
    if (!token.Is(kTokOpen)) return "<kind " + std::to_string(token.kind()) + ">";
    const std::string inner = Sequence();
    if (it_ == end_ || !it_->Is(kTokClose)) return inner + "<unclosed>";
    ++it_;
    return inner;
  }

  CalcTokenList::const_iterator it_;
  CalcTokenList::const_iterator end_;
};

TEST_F(GroupingTest, RandomExpressionsGroupAsPrecedenceClimbingParsesThem) {
  Generator generator(20240611);
  for (int round = 0; round < 3000; ++round) {
    const Words words = generator.Expression();
    std::string text;
    for (const std::string& w : words) text += w + " ";
    CalcTokenList list;
    ASSERT_EQ(TokenizeAndGroup(ctx, text, true, list), kDone) << text;
    ASSERT_EQ(LeftToRightReader(list).Read(), ReferenceParser(words).Parse())
        << "expression: " << text << "\ngrouped:    " << Spell(list);
  }
}

}  // namespace
}  // namespace calc
