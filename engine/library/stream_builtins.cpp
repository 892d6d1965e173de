// The string-stream functions sopen .. sputs on the run's stream table. A
// stream works on its own copy of the array string; sflush and sclose with
// write-back store it into the array. A handle that names no stream never
// fails a script: each function gives its "bad handle" result instead.
#include <string>
#include <string_view>

#include "core/status_codes.h"
#include "library/array_strings.h"
#include "library/builtin_handlers.h"
#include "library/library_state.h"

namespace calc::builtins {
namespace {

CalcStreamTable& Streams(const BuiltinCall& call) { return RunState(call.engine()).streams; }

int StoreString(const BuiltinCall& call, std::uint8_t array, std::string_view text) {
  const int status = StoreArrayString(call.engine().storage().arrays(), array, 0, text);
  return status == kDone ? kDone : call.Fail(status);
}

// A write beyond kMaxStreamLength fails the function.
int WriteStream(const BuiltinCall& call, CalcStream& stream, std::string_view bytes) {
  return stream.Write(bytes) ? kDone : call.Fail(E_FUNCTION);
}

}  // namespace

int Sopen(BuiltinCall& call) {
  std::uint8_t array = 0;
  if (const int status = ReadArray(call, array)) return status;
  const std::string text = ArrayString(call.engine().storage().arrays(), array);
  call.SetReal(Streams(call).Open(array, text));
  return kDone;
}

int Sclose(BuiltinCall& call) {
  int handle = 0;
  std::int64_t write_back = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  if (const int status = ReadInteger(call, write_back)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  if (stream != nullptr && write_back != 0) {
    if (const int status = StoreString(call, stream->array, stream->text)) return status;
  }
  call.SetReal(Streams(call).Close(handle) ? 1 : 0);
  return kDone;
}

int Sflush(BuiltinCall& call) {
  int handle = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  if (stream != nullptr) {
    if (const int status = StoreString(call, stream->array, stream->text)) return status;
  }
  call.SetReal(stream != nullptr ? 1 : 0);
  return kDone;
}

// The origin is "s" (start), "c" (the position) or "e" (end); the new
// position is clamped to the text.
int Sseek(BuiltinCall& call) {
  int handle = 0;
  std::int64_t offset = 0;
  std::string origin;
  if (const int status = ReadHandle(call, handle)) return status;
  if (const int status = ReadInteger(call, offset)) return status;
  if (const int status = ReadString(call, origin)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  if (stream == nullptr || (origin != "s" && origin != "c" && origin != "e")) {
    call.SetReal(0);
    return kDone;
  }
  const auto length = static_cast<std::int64_t>(stream->text.size());
  const std::int64_t base = origin == "s" ? 0 : origin == "c" ? static_cast<std::int64_t>(stream->position) : length;
  // Both are far inside the 64-bit range unless the offset is extreme.
  const std::int64_t target = offset < -length - 1 ? -1 : offset > length + 1 ? length + 1 : base + offset;
  stream->position = static_cast<std::size_t>(target < 0 ? 0 : target > length ? length : target);
  call.SetReal(1);
  return kDone;
}

int Stell(BuiltinCall& call) {
  int handle = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  call.SetReal(stream != nullptr ? static_cast<double>(stream->position) : -1.0);
  return kDone;
}

int Seos(BuiltinCall& call) {
  int handle = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  call.SetReal(stream == nullptr || stream->Rest().empty() ? 1 : 0);
  return kDone;
}

int Sgetc(BuiltinCall& call) {
  int handle = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  if (stream == nullptr || stream->Rest().empty()) {
    call.SetReal(-1);
    return kDone;
  }
  call.SetReal(static_cast<unsigned char>(stream->text[stream->position++]));
  return kDone;
}

// The result is the byte written read as a signed 8-bit value.
int Sputc(BuiltinCall& call) {
  std::int64_t ch = 0;
  int handle = 0;
  if (const int status = ReadInteger(call, ch)) return status;
  if (const int status = ReadHandle(call, handle)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  if (stream == nullptr) {
    call.SetReal(-1);
    return kDone;
  }
  const char byte = static_cast<char>(ch & 0xFF);
  if (const int status = WriteStream(call, *stream, std::string_view(&byte, 1))) return status;
  call.SetReal(static_cast<signed char>(byte));
  return kDone;
}

// Up to and including the next line feed, or to the end; the result is the
// number of bytes copied (0, with the array emptied, for a bad handle).
int Sgets(BuiltinCall& call) {
  std::uint8_t array = 0;
  int handle = 0;
  if (const int status = ReadArray(call, array)) return status;
  if (const int status = ReadHandle(call, handle)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  std::string_view line;
  if (stream != nullptr) {
    const std::string_view rest = stream->Rest();
    const std::size_t feed = rest.find('\n');
    line = rest.substr(0, feed == std::string_view::npos ? rest.size() : feed + 1);
  }
  const std::string copy(line);
  if (const int status = StoreString(call, array, copy)) return status;
  if (stream != nullptr) stream->position += copy.size();
  call.SetReal(static_cast<double>(copy.size()));
  return kDone;
}

int Sputs(BuiltinCall& call) {
  std::string text;
  int handle = 0;
  if (const int status = ReadString(call, text)) return status;
  if (const int status = ReadHandle(call, handle)) return status;
  CalcStream* stream = Streams(call).Get(handle);
  if (stream == nullptr) {
    call.SetReal(0);
    return kDone;
  }
  if (const int status = WriteStream(call, *stream, text)) return status;
  call.SetReal(static_cast<double>(text.size()));
  return kDone;
}

}  // namespace calc::builtins
