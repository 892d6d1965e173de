#include "skin/file_bytes.h"

#include <cstdio>
#include <memory>
#include <new>

namespace radixpad::image {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const char* path, std::size_t maxBytes) {
  if (path == nullptr) return std::nullopt;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), std::fclose);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  try {
    std::uint8_t chunk[16384];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
      if (got > maxBytes - bytes.size()) return std::nullopt;
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (std::ferror(file.get()) != 0) return std::nullopt;
  return bytes;
}

}  // namespace radixpad::image
