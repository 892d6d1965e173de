// Files and string streams through scripts: the handle tables and their
// limits, the bad-handle answers, the line and block readers, and the bound
// on a stream's growth. Every file lives in a folder of the test's own.
#include <string>
#include <vector>

#include "../language/temp_folder.h"
#include "library/file_table.h"
#include "library/stream_table.h"
#include "library/text_blocks.h"
#include "library_fixture.h"

namespace calc::testing {
namespace {

class FilesAndStreams : public LibraryTest {
 protected:
  // `text` with every "{dir}" replaced by the test's folder.
  std::string InFolder(std::string text) const {
    for (std::size_t at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}"))
      text.replace(at, 5, folder.path());
    return text;
  }
  int RunIn(const std::string& text) { return Run(InFolder(text)); }

  struct Echoed {
    const char* text;
    std::vector<std::string> printed;
  };
  void ExpectEchoes(const std::vector<Echoed>& cases) {
    for (const Echoed& c : cases) {
      SCOPED_TRACE(c.text);
      EXPECT_EQ(RunIn(c.text), kValue);
      EXPECT_TRUE(engine.reports.empty());
      EXPECT_EQ(engine.printed, c.printed);
    }
  }

  TempFolder folder;
};

TEST_F(FilesAndStreams, FileFunctionsReadWriteAndAnswerBadHandles) {
  folder.Write("in.txt", "ab\n" + std::string(300, 'x') + "\nlast");
  ExpectEchoes({
      {"h = fopen [\"{dir}/in.txt] [\"rt]; h; fgetc h; fgetc h; fgetc h", {"1", "97", "98", "10"}},
      // A line longer than one chunk comes whole, its line feed kept; the
      // last line has none; then the end.
      {":array a; fgets a h; strlen a; fgets a h; :println a; fgets a h; feof h", {"301", "301", "4", "0", "1"}},
      {"fclose h; fclose h", {"1", "0"}},
      {"w = fopen [\"{dir}/out.txt] [\"w]; fputc 456 w; fputs [\"text\\n] w; fflush w; fclose w", {"200", "0", "1", "1"}},
      {"r = fopen [\"{dir}/out.txt] [\"r]; fgetc r; fclose r", {"200", "1"}},
      // Handles that name nothing, however the number is written.
      {"feof 3; fgetc 0; fputc 65 17; fgets a 4294967297; fputs \"x 1; fflush \\-1; fclose 99",
       {"1", "-1", "-1", "0", "0", "0", "0"}},
      {"fopen [\"{dir}/missing/x.txt] \"r", {"0"}},
  });
  EXPECT_EQ(folder.ReadText("out.txt"), "\xC8text\n");
}

TEST_F(FilesAndStreams, ModesTheCLibraryWouldRejectGiveNoHandle) {
  folder.Write("f.txt", "x");
  struct Mode {
    const char* mode;
    bool accepted;
  };
  for (const Mode m : {Mode{"r", true}, {"rt", true}, {"rb", true}, {"r+b", true}, {"rb+", true}, {"a+t", true},
                       {"", false}, {"x", false}, {"rz", false}, {"rbt", false}, {"r++", false}, {"rw", false},
                       {"R", false}, {"r,ccs=UTF-8", false}}) {
    SCOPED_TRACE(m.mode);
    EXPECT_EQ(IsValidFileMode(m.mode), m.accepted);
    CalcFileTable files;
    EXPECT_EQ(files.Open(folder.File("f.txt"), m.mode), m.accepted ? 1 : 0);
  }
}

TEST_F(FilesAndStreams, SixteenSlotsEachForFilesAndStreams) {
  folder.Write("f.txt", "x");
  std::string open_all = ":array a";
  for (int i = 0; i < 16; ++i) open_all += "; h = fopen [\"{dir}/f.txt] [\"r]; s = sopen a";
  ASSERT_LT(RunIn(open_all), 0x100);
  ExpectEchoes({
      {"h; s; fopen [\"{dir}/f.txt] [\"r]; sopen a", {"16", "16", "0", "0"}},
      // A freed slot is the first one taken again.
      {"fclose 5; sclose 7 0; fopen [\"{dir}/f.txt] [\"r]; sopen a", {"1", "1", "5", "7"}},
  });
}

TEST_F(FilesAndStreams, StreamsWorkOnACopyUntilWrittenBack) {
  ASSERT_EQ(Run(":array a; :array b; :sprint a [\"hello\\nworld]"), kNoValue);
  ExpectEchoes({
      {"s = sopen a; sgetc s; stell s; sseek s 5 [\"e]; stell s; seos s; sgetc s", {"104", "1", "1", "11", "1", "-1"}},
      {"sseek s \\-100 [\"c]; stell s; sseek s 3 [\"x]; sseek s 2 [\"s]; stell s", {"1", "0", "0", "1", "2"}},
      // Overwrites, then appends; the byte comes back as a signed 8-bit value.
      {"sputs [\"LLO,\\n] s; sseek s 0 [\"e]; sputc 456 s; stell s", {"5", "1", "-56", "12"}},
      {"sgets b s; sgets b s", {"0", "0"}},
      {"sseek s 0 [\"s]; sgets b s; sgets b s; seos s", {"1", "7", "5", "1"}},
  });
  EXPECT_EQ(Text("b"), "orld\xC8");
  EXPECT_EQ(Text("a"), "hello\nworld");  // not written back yet
  ExpectEchoes({{"sflush s", {"1"}}});
  EXPECT_EQ(Text("a"), "heLLO,\norld\xC8");
  ExpectEchoes({{"sputs [\"zz] s; sclose s 0; sclose s 1; sputc 1 s; stell s; seos s", {"2", "1", "0", "-1", "-1", "1"}}});
  EXPECT_EQ(Text("a"), "heLLO,\norld\xC8");
}

TEST_F(FilesAndStreams, AStreamHandleAsAStringIsItsUnreadRest) {
  ASSERT_EQ(Run(":array a; :sprint a [\"key=value]; s = sopen a; sseek s 4 \"s"), kValue);
  Run(":printf [\"<%s>] s");
  EXPECT_EQ(engine.texts, std::vector<std::string>{"<value>"});
  ExpectEchoes({{"strcmp s [\"value]; stell s", {"0", "4"}}});
}

TEST_F(FilesAndStreams, AStreamNeverGrowsPastTheLongestArrayString) {
  CalcStream stream;
  stream.text.assign(kMaxStreamLength - 2, 'x');
  stream.position = stream.text.size();
  EXPECT_TRUE(stream.Write("ab"));
  EXPECT_FALSE(stream.Write("c"));
  stream.position = 0;
  EXPECT_TRUE(stream.Write("overwritten"));
  EXPECT_EQ(stream.text.size(), kMaxStreamLength);
  EXPECT_EQ(stream.position, 11u);
}

TEST_F(FilesAndStreams, LoadsPullBlocksOutOfFiles) {
  std::string many;
  for (int i = 0; i < 70; ++i) many += "x <S>" + std::to_string(i) + "<e> y\n";
  folder.Write("many.txt", many + "<s> open\nstill open\n");
  folder.Write("one.txt", "skip\n<a> text <b> rest\n<a> again <b>\n");
  folder.Write("span.txt", "no\nfirst <A> tail\nmiddle\nends <B> here\n");
  folder.Write("open.txt", "<a> never closed\n");
  ExpectEchoes({
      {":array a; hlloadblock [\"{dir}/one.txt] [\"<a>] [\"<b>] a; strlen a", {"2", "9"}},
      {"hlloadblock [\"{dir}/span.txt] [\"<a>] [\"<b>] a", {"2"}},
  });
  EXPECT_EQ(Text("a"), " tail\nmiddle\nends <B>");
  ExpectEchoes({{"hlloadblock [\"{dir}/open.txt] [\"<a>] [\"<b>] a; hlloadblock [\"{dir}/one.txt] \"zz \"b a", {"1", "0"}},
                {"hlloadblock [\"{dir}/none.txt] [\"a] [\"b] a; strlen a", {"0", "0"}},
                // 70 whole blocks and an open one: the count goes past 127.
                {"hlloadblockm [\"{dir}/many.txt] [\"<s>] [\"<E>] a", {"141"}},
                {"hlload [\"{dir}/one.txt] a; hlload [\"{dir}/none.txt] a; strlen a", {"1", "0", "0"}}});
  ASSERT_EQ(RunIn("hlloadblockm [\"{dir}/many.txt] [\"<s>] [\"<E>] a"), kValue);
  EXPECT_EQ(Text("a").substr(0, 17), "<S>0<e><S>1<e><S>");
  ASSERT_EQ(RunIn("hlload [\"{dir}/span.txt] a"), kValue);
  EXPECT_EQ(Text("a"), "no\nfirst <A> tail\nmiddle\nends <B> here\n");
  // Every load leaves its slots free.
  ExpectEchoes({{"fopen [\"{dir}/one.txt] [\"r]; sopen a", {"1", "1"}}});
}

TEST_F(FilesAndStreams, BlockScansFollowTheirMarkers) {
  struct Case {
    std::vector<std::string> lines;
    std::string taken;
    int first_state;
    long count;
  };
  const std::vector<Case> cases = {
      {{"a {B}x{E} b\n"}, "x{E}", 2, 2},
      {{"{b} one\n", "two {e} three {b}\n", "{b}{e}\n"}, " one\ntwo {e}", 2, 4},
      {{"{b}\n", "still\n"}, "\nstill\n", 1, 1},
      {{"none\n"}, "", 0, 0},
  };
  for (const Case& c : cases) {
    FirstBlockScan first("{b}", "{e}");
    BlockListScan all("{b}", "{e}");
    std::string taken;
    for (const std::string& line : c.lines) {
      if (!first.done()) taken += first.Take(line);
      all.Take(line);
    }
    EXPECT_EQ(taken, c.taken);
    EXPECT_EQ(first.state(), c.first_state);
    EXPECT_EQ(all.count(), c.count);
  }
  const auto block = FindBlock("xx<B> a <e> <b> b <e>", "<b>", "<E>");
  ASSERT_TRUE(block.has_value());
  EXPECT_EQ(block->offset, 2u);
  EXPECT_EQ(block->length, 9u);
  EXPECT_FALSE(FindBlock("<b> no end", "<b>", "<e>").has_value());
}

TEST_F(FilesAndStreams, HlgetlineTakesTheNextBlockOfAStream) {
  ASSERT_LT(Run(":array t; :array a; :sprint t [\"x <b>1<e> y <B>2<E> <b>3]; s = sopen t"), 0x100);
  ExpectEchoes({{"hlgetline s [\"<b>] [\"<e>] a; stell s", {"1", "9"}},
                {"hlgetline s [\"<b>] [\"<e>] a", {"1"}}});
  EXPECT_EQ(Text("a"), "<B>2<E>");
  ExpectEchoes({{"hlgetline s [\"<b>] [\"<e>] a; stell s; hlgetline 9 [\"a] [\"b] a", {"0", "19", "0"}}});
  EXPECT_EQ(Text("a"), "");
}

TEST_F(FilesAndStreams, HlerrorWritesOneLine) {
  folder.Write("log.txt", "old text that goes");
  ASSERT_EQ(RunIn(":hlerror [\"{dir}/log.txt] [\"it failed]"), kNoValue);
  EXPECT_EQ(folder.ReadText("log.txt"), "it failed\n");
  EXPECT_EQ(RunIn(":hlerror [\"{dir}/missing/log.txt] \"x"), kNoValue);
  EXPECT_EQ(RunIn(":hlerror [\"{dir}/log.txt]"), E_COMMAND_PARAM);
  EXPECT_EQ(folder.ReadText("log.txt"), "it failed\n");
}

TEST_F(FilesAndStreams, MissingOrWrongArgumentsFailTheFunction) {
  for (const char* text : {"fopen \"x", "fgets 1 1", "sopen 1", "sgets 2 1", "hlload \"x", "sseek 1 2", "fputs"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Run(text), E_FUNCTION);
  }
}

}  // namespace
}  // namespace calc::testing
