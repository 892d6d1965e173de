// Functions: the function lists and their eviction, parameter lists,
// argument passing, calls of user-defined and external functions, the nested
// run's hooks and restored settings, and the reading of function files.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/keywords.h"
#include "core/tokenizer.h"
#include "engine_fixture.h"
#include "temp_folder.h"

namespace calc::testing {
namespace {

namespace fs = std::filesystem;

CalcFunctionEntry Entry(const std::string& name) {
  CalcFunctionEntry entry;
  entry.body = std::make_shared<CalcFunctionBody>();
  entry.body->name = name;
  return entry;
}

TEST(FunctionList, AFullListRemovesTheLeastUsedEntryTheOldestAmongEquals) {
  CalcFunctionList list(3);
  for (const char* name : {"a", "b", "c"}) ASSERT_TRUE(list.Add(Entry(name)));
  list.Find("b", true);
  list.Find("b", true);
  list.Find("c", true);
  list.Find("a", false);  // a lookup that does not count
  ASSERT_TRUE(list.Add(Entry("d")));
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"d", "c", "b"}));
  list.set_capacity(1);
  EXPECT_EQ(list.Names(), std::vector<std::string>{"b"});

  CalcFunctionList pair(2);
  pair.Add(Entry("p"));
  pair.Add(Entry("q"));
  pair.Add(Entry("r"));  // p and q tie at no use: p is the older
  EXPECT_EQ(pair.Names(), (std::vector<std::string>{"r", "q"}));

  CalcFunctionList none(0);
  EXPECT_FALSE(none.Add(Entry("a")));
  EXPECT_EQ(none.size(), 0u);
}

TEST(FunctionList, ACopySharesTheBodiesAndOwnsNoEntry) {
  CalcFunctionList list(4);
  list.Add(Entry("f"));
  list.Find("f", true);
  CalcFunctionList copy(0);
  ASSERT_TRUE(copy.CopyFrom(list));
  const CalcFunctionEntry* original = list.Find("f", false);
  const CalcFunctionEntry* copied = copy.Find("f", false);
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->body, original->body);
  EXPECT_FALSE(copied->owner);
  EXPECT_EQ(copied->uses, 1u);
  EXPECT_EQ(copy.capacity(), 4u);
}

ParsedParameters Parse(const std::string& text, CalcTokenList& tokens) {
  CalcContext context;
  Tokenize(context, text, true, tokens);
  return ParseParameters(tokens.begin(), tokens.end());
}

TEST(ParameterList, ReadsNamesMarksAndBracketsUpToTenNames) {
  CalcTokenList tokens;
  ParsedParameters parsed = Parse("( a &b c[] [&]d[] , e )", tokens);
  ASSERT_EQ(parsed.problem, ParameterProblem::kNone);
  ASSERT_EQ(parsed.parameters.size(), 5u);
  const bool expected[5][2] = {{false, false}, {false, true}, {true, false}, {true, true}, {false, true}};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(parsed.parameters[i].array, expected[i][0]) << i;
    EXPECT_EQ(parsed.parameters[i].reference, expected[i][1]) << i;  // "," counts as a mark
  }
  EXPECT_EQ(parsed.parameters[3].name, "d");

  parsed = Parse("a b c d e f g h i j k", tokens);
  EXPECT_EQ(parsed.problem, ParameterProblem::kTooMany);
  EXPECT_EQ(parsed.at->text(), "k");
  parsed = Parse("a 1", tokens);
  EXPECT_EQ(parsed.problem, ParameterProblem::kUnusable);
  parsed = Parse("a &", tokens);
  EXPECT_EQ(parsed.problem, ParameterProblem::kMarkWithoutName);
}

TEST(FunctionFile, LongLinesAreJoinedAndEveryLineEndIsOne) {
  TempFolder folder;
  const std::string long_line(700, 'x');
  folder.Write("f.cef", "one\r\ntwo\rthree\n" + long_line + "\n\r\nlast");
  CalcSourceFile file;
  file.Attach(std::fopen((folder.path() + "/f.cef").c_str(), "rb"));
  std::vector<std::string> lines;
  std::string line;
  while (file.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", long_line, "", "last"}));
  EXPECT_FALSE(file.ReadLine(line));  // and stays at the end
}

TEST(FunctionFile, ANulByteStaysInItsLine) {
  TempFolder folder;
  folder.Write("f.cef", std::string("a\0b\n", 4));
  CalcSourceFile file;
  file.Attach(std::fopen((folder.path() + "/f.cef").c_str(), "rb"));
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, std::string("a\0b", 3));
}

using FunctionCallTest = EngineTest;

TEST_F(FunctionCallTest, DefinitionsCheckTheirNameAndParameters) {
  EXPECT_EQ(Run("nosuch 1"), E_CONSTANT);
  EXPECT_EQ(engine.reports[0].token, "nosuch");
  Run("func f\nendfunc");
  EXPECT_TRUE(engine.reports.empty());
  Run("func f a\nendfunc");
  EXPECT_EQ(ReportCodes(), std::vector<int>{E_STAT_FUNCNAME});
  Run("func g a b c d e f g h i j k\nendfunc");
  ASSERT_EQ(ReportCodes(), std::vector<int>{E_STAT_FUNCPARAM});
  EXPECT_EQ(engine.reports[0].token, "k");
  Run("func h a 2\nendfunc");
  EXPECT_EQ(ReportCodes(), std::vector<int>{E_STAT_FUNCPARAM});
  EXPECT_EQ(engine.storage().calls().functions.Names(), std::vector<std::string>{"f"});
}

TEST_F(FunctionCallTest, ArgumentsOfEveryKindArriveInTheFunctionsOwnSlots) {
  Run(":array m\nm { { 1 2 } { 3 4 } }\n"
      "func text s[]\nreturn s 0 * 1000 + s 1 + s 2\nendfunc\n"
      "func corner x[]\nreturn x 1 1\nendfunc\n"
      "func value v\nreturn v\nendfunc");
  EXPECT_EQ(Echo("text [\"AB]"), "65066");          // character codes, then a 0
  EXPECT_EQ(Echo("corner m"), "4");                  // a copy of the array
  EXPECT_EQ(Echo("corner (m * 2)"), "8");            // a matrix value
  EXPECT_EQ(Echo("k = 5; @k = 6; value @k"), "6");    // a variable by code
  EXPECT_EQ(Echo("value @:(107)"), "6");             // a computed code
  EXPECT_EQ(Echo("value 1 + 1"), "2");               // "+" ends the arguments
  EXPECT_TRUE(engine.reports.empty());
}

TEST_F(FunctionCallTest, AnArgumentOfAnotherKindCannotBePassed) {
  CalcStorage caller;
  CalcStorage callee;
  CalcTokenList arguments;
  arguments.AppendNumber(CalcValue::FromReal(1));
  arguments.Append(kTokOperator, std::uint8_t{kOpAdd});
  const CalcToken* offender = nullptr;
  EXPECT_EQ(PassArguments(arguments, caller, callee, offender), E_FUNC_PARACODE);
  EXPECT_EQ(offender, arguments.At(1));
}

TEST_F(FunctionCallTest, AFailureInsideTheBodyNamesTheFunctionAndItsLine) {
  Run("func f x\ny = x\ny +\nendfunc\n1\nf 2");
  ASSERT_EQ(ReportCodes(), (std::vector<int>{E_RVALUE_NULL, E_USERFUNC}));
  EXPECT_EQ(engine.reports[0].source, "f");
  EXPECT_EQ(engine.reports[0].line, 2);
  EXPECT_EQ(engine.reports[1].token, "f");
}

TEST_F(FunctionCallTest, TheCallerKeepsItsModeRadixAndAngleUnit) {
  TempFolder folder;
  folder.Write("half.cef", ":gfloat\n:deg\nreturn 0.5\n");
  engine.folders = {folder.path()};
  Run(":fract\n:grad");
  EXPECT_EQ(Echo("!half"), "1\x81\x76" "2");  // the answer in the caller's mode
  EXPECT_EQ(context.numeric().current_kind, kKindFraction);
  EXPECT_EQ(context.numeric().angle_unit, kGrads);
  EXPECT_EQ(context.mode(), kModeFract);
}

TEST_F(FunctionCallTest, ACacheOfCapacityZeroAsksHookSevenForEveryCall) {
  TempFolder folder;
  folder.Write("one.cef", "return 1\n");
  engine.folders = {folder.path()};
  ExternalFunctionCache().set_capacity(0);
  EXPECT_EQ(Echo("!one"), "1");
  EXPECT_EQ(Echo("!one"), "1");
  EXPECT_EQ(engine.named_texts, (std::vector<std::string>{"one", "one"}));
  EXPECT_EQ(ExternalFunctionCache().size(), 0u);

  // With a cache, the file is read once and RunNamedText only hears of names that
  // have no file.
  ExternalFunctionCache().set_capacity(4);
  engine.named_texts.clear();
  EXPECT_EQ(Echo("!one"), "1");
  EXPECT_EQ(Echo("!one"), "1");
  EXPECT_EQ(Run("!two"), E_EXTFUNC);
  EXPECT_EQ(ReportCodes(), (std::vector<int>{E_FUNC_OPEN, E_EXTFUNC}));
  EXPECT_EQ(engine.reports[0].token, "two");
  EXPECT_EQ(engine.named_texts, std::vector<std::string>{"two"});
  EXPECT_EQ(ExternalFunctionCache().Names(), std::vector<std::string>{"one"});
}

TEST_F(FunctionCallTest, DefinitionsMadeInACallStayInTheCall) {
  TempFolder folder;
  folder.Write("define.cef", "func helper\nreturn 7\nendfunc\nreturn helper + outer\n");
  engine.folders = {folder.path()};
  Run("func outer\nreturn 30\nendfunc");
  EXPECT_EQ(Echo("!define"), "37");
  EXPECT_EQ(Run("helper"), E_CONSTANT);
}

TEST_F(FunctionCallTest, ThePredefinedSymbolIsAConstantInEveryNewContext) {
  CalcEngine::SetPredefinedSymbol("HOST");
  Run("func probe\nreturn HOST\nendfunc\nfunc shadow HOST\nreturn HOST\nendfunc");
  EXPECT_EQ(Echo("probe"), "1");
  EXPECT_EQ(Echo("shadow 5"), "5");  // a parameter of that name takes its place
  EXPECT_EQ(Run("HOST"), E_CONSTANT);  // the host defines it in its own context itself
  CalcEngine::SetPredefinedSymbol("");
}

TEST_F(FunctionCallTest, AnInterruptOrTheStepLimitEndsAFunctionThatRunsAway) {
  Run("func spin\ndo\nuntil 1\nendfunc");
  engine.SetStepLimit(200);
  EXPECT_EQ(Run("spin"), E_USERFUNC);
  EXPECT_EQ(ReportCodes(), (std::vector<int>{E_MEM, E_USERFUNC}));
  EXPECT_TRUE(engine.interrupted());

}

TEST_F(FunctionCallTest, AFunctionFileWithALineTooLongIsRefusedUnread) {
  TempFolder folder;
  folder.Write("huge.cef", "1\n" + std::string(kMaxLineLength + 1, '1') + "\nreturn 2\n");
  engine.folders = {folder.path()};
  // Read for each call, and read once into the cache.
  for (const std::size_t capacity : {std::size_t{0}, kDefaultExternalCacheCapacity}) {
    ExternalFunctionCache().Clear();
    ExternalFunctionCache().set_capacity(capacity);
    EXPECT_EQ(Run("!huge"), E_EXTFUNC) << capacity;
    ASSERT_EQ(ReportCodes(), (std::vector<int>{E_MEM, E_EXTFUNC})) << capacity;
    EXPECT_EQ(engine.reports[0].token, "line too long");
    EXPECT_EQ(Echo("3"), "3");
  }
}

// Interrupts the run from a hook, as a signal handler would while a function
// runs.
class InterruptingEngine : public RecordingEngine {
 public:
  using RecordingEngine::RecordingEngine;
  void PrintMessage(CalcEngine&, std::string_view) override { RequestInterrupt(); }
};

TEST(FunctionInterrupt, AnInterruptReachesTheFunctionThatIsRunning) {
  CalcContext context;
  CalcEngineSettings settings;
  settings.implicit_variables = true;
  InterruptingEngine engine(context, settings);
  engine.RunText("func spin\n:warn [\"stop]\ndo\nuntil 1\nendfunc");
  EXPECT_EQ(engine.RunText("spin"), E_USERFUNC);
  ASSERT_EQ(engine.reports.size(), 2u);
  EXPECT_EQ(engine.reports[0].code, E_MEM);
  EXPECT_EQ(engine.reports[0].source, "spin");
  EXPECT_TRUE(engine.interrupted());
  EXPECT_EQ(engine.RunText("2"), kValue);  // the next run is not interrupted
}

TEST_F(FunctionCallTest, RecursionStopsAtTheNestingLimit) {
  Run("func down n\nif n == 0\nreturn 0\nendif\nreturn down (n - 1)\nendfunc");
  EXPECT_EQ(Echo("down 200"), "0");
  EXPECT_EQ(Run("down 100000"), E_USERFUNC);
  ASSERT_FALSE(engine.reports.empty());
  EXPECT_EQ(engine.reports.front().code, E_MEM);
  EXPECT_EQ(Echo("down 3"), "0");
}

TEST_F(FunctionCallTest, AFailedAssertStopsOnlyWhenTheHookSaysSo) {
  Run(":assert 1\nfunc check x\nassert x\nreturn 1\nendfunc");
  EXPECT_EQ(Echo("check 0"), "1");
  EXPECT_EQ(engine.assertions, std::vector<std::string>{"check:1"});
  engine.stop_on_assert = true;
  EXPECT_EQ(Run("check 0"), E_USERFUNC);
  EXPECT_EQ(ReportCodes(), (std::vector<int>{E_ASSERT_STOP, E_USERFUNC}));
}

}  // namespace
}  // namespace calc::testing
