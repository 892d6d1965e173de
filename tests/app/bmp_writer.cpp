#include "bmp_writer.h"

namespace radixpad::test {
namespace {

void Append(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> PackRow(const BmpPicture& p, int y) {
  const std::size_t stride = (static_cast<std::size_t>(p.width) * p.bitsPerPixel + 31) / 32 * 4;
  std::vector<std::uint8_t> row(stride, 0);
  for (int x = 0; x < p.width; ++x) {
    const std::uint32_t v = p.values[static_cast<std::size_t>(y) * p.width + x];
    const int bit = x * p.bitsPerPixel;
    if (p.bitsPerPixel < 8) {
      row[bit / 8] = static_cast<std::uint8_t>(row[bit / 8] | v << (8 - p.bitsPerPixel - bit % 8));
    } else {
      for (int k = 0; k < p.bitsPerPixel / 8; ++k) row[bit / 8 + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
  }
  return row;
}

}  // namespace

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> EncodeBmp(const BmpPicture& p) {
  std::vector<std::uint8_t> out = {'B', 'M'};
  Append(out, 0, 4);  // file size, patched below
  Append(out, 0, 4);
  Append(out, 0, 4);  // pixel offset, patched below
  const std::size_t info = out.size();
  Append(out, p.infoSize, 4);
  Append(out, static_cast<std::uint32_t>(p.width), 4);
  Append(out, static_cast<std::uint32_t>(p.height), 4);
  Append(out, 1, 2);
  Append(out, static_cast<std::uint32_t>(p.bitsPerPixel), 2);
  Append(out, p.compression, 4);
  Append(out, 0, 4);
  Append(out, 2835, 4);
  Append(out, 2835, 4);
  Append(out, static_cast<std::uint32_t>(p.table.size()), 4);
  Append(out, 0, 4);
  out.resize(info + p.infoSize, 0);  // a longer header (V4, V5) is zero beyond the masks
  if (p.compression == 3) {
    const std::size_t masks = p.infoSize >= 52 ? info + 40 : out.size();
    if (p.infoSize < 52) out.resize(out.size() + 12);
    PutU32(out, masks, 0x00FF0000);
    PutU32(out, masks + 4, 0x0000FF00);
    PutU32(out, masks + 8, 0x000000FF);
  }
  for (std::uint32_t c : p.table) Append(out, c & 0xFFFFFF, 4);  // blue, green, red, 0
  PutU32(out, 10, p.pixelOffset != 0 ? p.pixelOffset : static_cast<std::uint32_t>(out.size()));
  for (int y = p.height - 1; y >= 0; --y) {
    const std::vector<std::uint8_t> row = PackRow(p, y);
    out.insert(out.end(), row.begin(), row.end());
  }
  PutU32(out, 2, static_cast<std::uint32_t>(out.size()));
  return out;
}

}  // namespace radixpad::test
