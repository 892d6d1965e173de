// The file functions fopen .. fputs on the run's file table. A handle that
// names no open file never fails a script: each function gives its "bad
// handle" result (0 or -1) instead.
#include <string>

#include "core/status_codes.h"
#include "library/array_strings.h"
#include "library/builtin_handlers.h"
#include "library/file_lines.h"
#include "library/library_state.h"
#include "library/stream_table.h"

namespace calc::builtins {
namespace {

CalcFileTable& Files(const BuiltinCall& call) { return RunState(call.engine()).files; }

// The handle argument, read last, and the file it names (null for none).
int ReadFile(const BuiltinCall& call, std::FILE*& file) {
  int handle = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  file = Files(call).Get(handle);
  return kDone;
}

}  // namespace

int Fopen(BuiltinCall& call) {
  std::string name, mode;
  if (const int status = ReadString(call, name)) return status;
  if (const int status = ReadString(call, mode)) return status;
  call.SetReal(Files(call).Open(name, mode));
  return kDone;
}

int Fclose(BuiltinCall& call) {
  int handle = 0;
  if (const int status = ReadHandle(call, handle)) return status;
  call.SetReal(Files(call).Close(handle) ? 1 : 0);
  return kDone;
}

int Fflush(BuiltinCall& call) {
  std::FILE* file = nullptr;
  if (const int status = ReadFile(call, file)) return status;
  call.SetReal(file != nullptr && std::fflush(file) == 0 ? 1 : 0);
  return kDone;
}

int Feof(BuiltinCall& call) {
  std::FILE* file = nullptr;
  if (const int status = ReadFile(call, file)) return status;
  call.SetReal(file == nullptr || std::feof(file) != 0 ? 1 : 0);
  return kDone;
}

int Fgetc(BuiltinCall& call) {
  std::FILE* file = nullptr;
  if (const int status = ReadFile(call, file)) return status;
  call.SetReal(file != nullptr ? std::getc(file) : EOF);  // EOF is -1; bytes come as 0..255
  return kDone;
}

int Fputc(BuiltinCall& call) {
  std::int64_t ch = 0;
  std::FILE* file = nullptr;
  if (const int status = ReadInteger(call, ch)) return status;
  if (const int status = ReadFile(call, file)) return status;
  const auto byte = static_cast<unsigned char>(ch & 0xFF);
  call.SetReal(file != nullptr ? std::putc(byte, file) : EOF);
  return kDone;
}

// The array is emptied first, then receives one whole line; the result is
// its length.
int Fgets(BuiltinCall& call) {
  std::uint8_t array = 0;
  std::FILE* file = nullptr;
  if (const int status = ReadArray(call, array)) return status;
  if (const int status = ReadFile(call, file)) return status;
  std::string line;
  if (file != nullptr) AppendFileLine(file, line, kMaxStreamLength);
  if (const int status = StoreArrayString(call.engine().storage().arrays(), array, 0, line)) return call.Fail(status);
  call.SetReal(static_cast<double>(line.size()));
  return kDone;
}

// 0 on success and -1 on a write error, the same on every system (the C
// libraries differ in the non-negative number fputs gives); 0 for a bad
// handle.
int Fputs(BuiltinCall& call) {
  std::string text;
  std::FILE* file = nullptr;
  if (const int status = ReadString(call, text)) return status;
  if (const int status = ReadFile(call, file)) return status;
  const bool failed = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) != text.size();
  call.SetReal(failed ? EOF : 0);
  return kDone;
}

}  // namespace calc::builtins
