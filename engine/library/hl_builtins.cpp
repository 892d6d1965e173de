// hlload, hlloadblock, hlloadblockm and hlgetline, which pull text blocks
// out of files and streams, and the command ":hlerror name text". The load
// functions open their file in the run's file table and their result stream
// in the stream table like a script would, so they need a free slot in each,
// and they leave both slots empty again whatever happens.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/status_codes.h"
#include "library/array_strings.h"
#include "library/builtin_handlers.h"
#include "library/command_arguments.h"
#include "library/file_lines.h"
#include "library/library_commands.h"
#include "library/library_state.h"
#include "library/text_blocks.h"

namespace calc {
namespace {

// A text file read line by line into a stream over array `array`, which is
// emptied first. The file and the stream hold one slot each until the load
// goes; Finish writes the stream back into the array.
class FileLoad {
 public:
  FileLoad(const BuiltinCall& call, const std::string& name, std::uint8_t array)
      : call_(call), state_(RunState(call.engine())), array_(array) {
    file_ = state_.files.Open(name, "rt");
    if (file_ != 0) stream_ = state_.streams.Open(array, "");
  }
  ~FileLoad() {
    state_.streams.Close(stream_);
    state_.files.Close(file_);
  }
  FileLoad(const FileLoad&) = delete;
  FileLoad& operator=(const FileLoad&) = delete;

  // Both slots were free and the file could be opened.
  bool opened() const { return stream_ != 0; }

  // The next line, its line feed included; false at the end of the file.
  bool NextLine(std::string& line) {
    line.clear();
    return AppendFileLine(state_.files.Get(file_), line, kMaxStreamLength) > 0;
  }
  // Appends to the stream; a text beyond kMaxStreamLength fails the function.
  int Append(std::string_view text) {
    return state_.streams.Get(stream_)->Write(text) ? kDone : call_.Fail(E_FUNCTION);
  }
  int Finish() { return StoreArray(array_, state_.streams.Get(stream_)->text); }

  int StoreArray(std::uint8_t array, std::string_view text) const {
    const int status = StoreArrayString(call_.engine().storage().arrays(), array, 0, text);
    return status == kDone ? kDone : call_.Fail(status);
  }

 private:
  const BuiltinCall& call_;
  StandardLibraryState& state_;
  std::uint8_t array_;
  int file_ = 0;
  int stream_ = 0;
};

// The arguments of the block loads: the file name, the markers and the array.
struct BlockLoadArguments {
  std::string name, begin, end;
  std::uint8_t array = 0;
};

int ReadBlockLoad(const BuiltinCall& call, BlockLoadArguments& args) {
  if (const int status = ReadString(call, args.name)) return status;
  if (const int status = ReadString(call, args.begin)) return status;
  if (const int status = ReadString(call, args.end)) return status;
  return ReadArray(call, args.array);
}

// Feeds every line of the file through `scan` (FirstBlockScan or
// BlockListScan) until it is done, keeping what it takes; the result is
// what `result` says of the scan, 0 when the load could not be opened.
template <typename Scan, typename Done, typename Result>
int LoadBlocks(BuiltinCall& call, Done done, Result result) {
  BlockLoadArguments args;
  if (const int status = ReadBlockLoad(call, args)) return status;
  FileLoad load(call, args.name, args.array);
  if (const int status = load.StoreArray(args.array, "")) return status;
  Scan scan(args.begin, args.end);
  if (load.opened()) {
    std::string line;
    while (!done(scan) && load.NextLine(line))
      if (const int status = load.Append(scan.Take(line))) return status;
    if (const int status = load.Finish()) return status;
  }
  call.SetReal(load.opened() ? result(scan) : 0);
  return kDone;
}

}  // namespace

namespace builtins {

int Hlload(BuiltinCall& call) {
  std::string name;
  std::uint8_t array = 0;
  if (const int status = ReadString(call, name)) return status;
  if (const int status = ReadArray(call, array)) return status;
  FileLoad load(call, name, array);
  if (const int status = load.StoreArray(array, "")) return status;
  if (load.opened()) {
    std::string line;
    while (load.NextLine(line))
      if (const int status = load.Append(line)) return status;
    if (const int status = load.Finish()) return status;
  }
  call.SetReal(load.opened() ? 1 : 0);
  return kDone;
}

// 0: no begin marker, 1: a begin marker without an end, 2: a whole block.
int Hlloadblock(BuiltinCall& call) {
  return LoadBlocks<FirstBlockScan>(
      call, [](const FirstBlockScan& scan) { return scan.done(); },
      [](const FirstBlockScan& scan) { return static_cast<double>(scan.state()); });
}

// Twice the number of whole blocks, plus 1 when the last one has no end.
int Hlloadblockm(BuiltinCall& call) {
  return LoadBlocks<BlockListScan>(
      call, [](const BlockListScan&) { return false; },
      [](const BlockListScan& scan) { return static_cast<double>(scan.count()); });
}

// The next block of the stream's unread rest; the position moves past it.
int Hlgetline(BuiltinCall& call) {
  int handle = 0;
  std::string begin, end;
  std::uint8_t array = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  if (const int status = ReadString(call, begin)) return status;
  if (const int status = ReadString(call, end)) return status;
  if (const int status = ReadArray(call, array)) return status;
  CalcStream* stream = RunState(call.engine()).streams.Get(handle);
  std::optional<TextSpan> block;
  std::string text;
  if (stream != nullptr) {
    block = FindBlock(stream->Rest(), begin, end);
    if (block) text = stream->Rest().substr(block->offset, block->length);
  }
  const int status = StoreArrayString(call.engine().storage().arrays(), array, 0, text);
  if (status != kDone) return call.Fail(status);
  if (block) stream->position += block->offset + block->length;
  call.SetReal(block ? 1 : 0);
  return kDone;
}

}  // namespace builtins

// The file is created or emptied; one that cannot be opened is passed over.
int RunHlerror(CalcEngine& engine, const CalcToken& command) {
  std::string name, text;
  if (const int status = ReadCommandString(engine, command, name)) return status;
  if (const int status = ReadCommandString(engine, command, text)) return status;
  if (std::FILE* file = std::fopen(name.c_str(), "w")) {
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  return kNoValue;
}

}  // namespace calc
