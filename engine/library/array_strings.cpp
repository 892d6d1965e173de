#include "library/array_strings.h"

#include "core/status_codes.h"

namespace calc {

int StoreArrayString(CalcArrayTable& arrays, std::uint8_t code, std::int32_t at, std::string_view text) {
  const std::int64_t end = static_cast<std::int64_t>(at) + static_cast<std::int64_t>(text.size());
  if (at < 0 || end >= INT32_MAX) return E_MEM;
  CalcArrayNode& node = arrays.Node(code);
  // Resizing first: it changes nothing when it fails, and afterwards every
  // index written below lies inside the vector.
  if (const int status = node.ResizeValues(static_cast<std::int32_t>(end + 1), arrays.budget())) return status;
  std::int32_t index = at;
  for (const char c : text) node.SetValue(index++, CalcValue::FromReal(static_cast<unsigned char>(c)));
  node.SetValue(index, CalcValue::FromReal(0.0));
  return kDone;
}

}  // namespace calc
