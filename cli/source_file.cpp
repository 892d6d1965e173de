#include "source_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace radixcalc {

std::string OpenSourceFile(std::string_view path, std::ifstream& file) {
  const std::filesystem::path name{std::string(path)};
  std::error_code status_error;
  if (std::filesystem::is_directory(name, status_error))
    return std::make_error_code(std::errc::is_a_directory).message();
  errno = 0;
  file.open(name, std::ios::binary);
  if (file.is_open()) return "";
  // The C library's reason, where the open left one.
  const int error = errno;
  return error != 0 ? std::generic_category().message(error) : "it cannot be opened";
}

std::string ReadFailureReason(const std::ios_base::failure& failure) {
  const std::error_code code = failure.code();
  // Without a system error the stream only knows that the read failed.
  if (code.category() == std::iostream_category() || code.value() == 0) return "read error";
  return code.message();
}

std::string_view SourceDisplayName(std::string_view name) { return name == "-" ? "standard input" : name; }

}  // namespace radixcalc
