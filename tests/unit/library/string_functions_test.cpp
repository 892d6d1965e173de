// The string functions on literals and array strings: offsets, comparisons,
// the double-byte rule of strchr, and the token scanners with the variable
// and array they write.
#include <string>
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

class StringFunctions : public LibraryTest {};

TEST_F(StringFunctions, SearchAndCompare) {
  ASSERT_EQ(Run(":array s; :sprint s [\"Hello, World]; :array one; :array two; one {149 92}; two {149 92 92}"), kNoValue);
  const std::vector<std::pair<const char*, double>> cases = {
      {"strlen [\"abc]", 3},           {"strlen s", 12},
      {"strchr s 111", 4},           {"strrchr s 111", 8},
      {"strchr s 122", -1},          {"strchr [\"a\\]b] 93", 1},
      {"strcmp [\"abc] [\"abd]", -1},    {"strcmp [\"abd] [\"abc]", 1},
      {"strcmp s s", 0},             {"strcmp [\"ab] [\"abc]", -1},
      // bytes compare unsigned: 0xA5 sorts after "z"
      {"strcmp [\"\xA5] [\"z]", 1},      {"stricmp [\"HeLLo] [\"hello]", 0},
      {"stricmp [\"a] [\"B]", -1},       {"strstr s [\"World]", 7},
      {"strstr s [\"world]", -1},      {"stristr s [\"world]", 7},
      {"strstr s [\"o]", 4},           {"strstr [\"] [\"x]", -1},
      // 0x5C as the second byte of a double-byte character is no match
      {"strchr one 92", -1},         {"strchr two 92", 2},
      // bytes compare as signed values (0xF0 is no lead byte)
      {"strchr [\"\xF0] (0-16)", 0},   {"strchr [\"\xF0] 240", -1},  {"strchr [\"\xA5] 165", -1},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    ASSERT_EQ(Run(text), kValue);
    EXPECT_EQ(Answer(), expected);
  }
}

TEST_F(StringFunctions, MissingOrWrongArgumentsFail) {
  for (const char* text : {"strlen", "strlen 5", "strcmp [\"a]", "strchr [\"a]", "strtok [\"a b] 5 [\" ]", "strstr"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(text), E_FUNCTION);
  }
  ASSERT_EQ(Run(":define K 0"), kNoValue);
  EXPECT_EQ(Run("strtok [\"a b] K [\" ]"), E_ASS);
}

TEST_F(StringFunctions, StrtokWalksTokensAndWritesThem) {
  ASSERT_EQ(Run(":array t; p = 0"), kValue);
  struct Step {
    double result, position;
    const char* token;
  };
  const std::vector<Step> steps = {{2, 4, "ab"}, {6, 9, "cde"}, {-1, 11, "cde"}};
  for (const Step& step : steps) {
    ASSERT_EQ(Run("strtok [\", ab,,cde,,] p [\", ] t"), kValue);
    EXPECT_EQ(Answer(), step.result);
    EXPECT_EQ(Variable("p"), step.position);
    EXPECT_EQ(Text("t"), step.token);
  }
  // Out of range: -1 and the variable is left alone.
  ASSERT_EQ(Run("p = 40; strtok [\"abc] p [\",]"), kValue);
  EXPECT_EQ(Answer(), -1);
  EXPECT_EQ(Variable("p"), 40);
}

TEST_F(StringFunctions, StrrtokWalksBackwards) {
  ASSERT_EQ(Run(":array t; p = 8"), kValue);
  struct Step {
    double result, position;
    const char* token;
  };
  const std::vector<Step> steps = {{7, 5, "gh"}, {3, -1, "abcd"}};
  for (const Step& step : steps) {
    ASSERT_EQ(Run("strrtok [\"abcd,,gh,] p [\",] t"), kValue);
    EXPECT_EQ(Answer(), step.result);
    EXPECT_EQ(Variable("p"), step.position);
    EXPECT_EQ(Text("t"), step.token);
  }
  ASSERT_EQ(Run("strrtok [\"abcd,,gh,] p [\",] t"), kValue);
  EXPECT_EQ(Answer(), -1);
}

TEST_F(StringFunctions, StoringCutsTheVectorAfterTheTerminator) {
  Run(":array t; t {1 2 3 4 5 6 7 8 9}; p = 0");
  ASSERT_EQ(Run("strtok [\"xy] p [\",] t"), kValue);
  EXPECT_EQ(Text("t"), "xy");
  EXPECT_EQ(VectorSize("t"), 3);
  // A reference by code creates the array it writes.
  ASSERT_EQ(Run("p = 0; strtok [\"uvw] p [\",] @@q"), kValue);
  {
    const NumericScope numeric(context.numeric());
    EXPECT_EQ(ArrayString(engine.storage().arrays(), 'q'), "uvw");
  }
}

}  // namespace
}  // namespace calc::testing
