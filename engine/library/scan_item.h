// One item of ":scan" as the host's ScanValues receives it: the prompt to
// show and what the target takes. The host answers an item by setting its
// reply; after ScanValues returns, each reply is stored into its target
// (see StoreScanReplies). An item left without a reply leaves its target as
// it was, which is what a host that reads no input (RadixPad) gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/token.h"

namespace calc {

class CalcEngine;

struct CalcScanItem {
  std::string prompt;     // the literal before the item ("" when none)
  bool is_array = false;  // an array takes the reply as its string; a variable takes it as a number
  std::uint8_t code = 0;  // the target's slot
  std::optional<std::string> reply;
};

// Stores the replies: an array's string becomes the reply (an empty reply
// stores nothing), a variable the reply read as a number under the current
// mode and radix (an optional "-" before it negates it; a reply that is no
// number stores nothing). 0, or the first store's error (E_MEM) recorded
// with `command`.
int StoreScanReplies(CalcEngine& engine, const CalcToken& command, const std::vector<CalcScanItem>& items);

}  // namespace calc
