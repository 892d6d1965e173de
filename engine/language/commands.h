// The ":" commands: dispatch, the rule for leftover arguments, the engine
// switches and the message form of ":warn".
//
// A command's code is its position in the tokenizer's command list: 0 is a
// bare or unknown ":" word, 1..103 are the named commands, and codes above
// 103 belong to the host (CalcEngine::HostCommand). Every handler reads its
// own arguments from the statement's token list and returns 4 ("done") or an
// error. After "done", a further token that begins an operand and evaluates
// is an extra argument: the command fails with E_COMMAND_PARAM. Anything else
// after it (nothing, a ")", an infix operator) leaves the status at 4, and
// since 4 ends the statement, the rest of the line is not evaluated.
//
// Handlers by code:
//   1-28   the mode commands (core/mode_commands.h)
//   29-32  :ans :assert :warn :debug, the switches (below)
//   33-34  :param n flag, :params names (language/functions.h)
//   35-40  the declarations (language/declarations.h)
//   41-103 the value-part, matrix-shape, clock, string, formatted output and
//          graphics commands: the engine's library runs them
//          (language/library_interface.h); without one they fail with
//          E_COMMAND_PARAM.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/command_names.h"
#include "core/token.h"
#include "core/matrix.h"

namespace calc {

class CalcEngine;

// A switch with a one-step memory: the current setting and the one before.
struct CalcSwitch {
  std::uint8_t current = 0;
  std::uint8_t remembered = 0;

  constexpr CalcSwitch() = default;
  constexpr explicit CalcSwitch(bool on) : current(on ? 1 : 0), remembered(on ? 1 : 0) {}

  bool on() const { return current != 0; }
  // A new setting; the old one is remembered.
  void Set(bool on) {
    remembered = current;
    current = on ? 1 : 0;
  }
  // A switch command's argument, truncated to an integer: only its low byte
  // counts. With bit 7 set (-1, 128) current and remembered trade places, so
  // the switch returns to its previous setting; otherwise Set(byte != 0).
  void Apply(std::int64_t argument);
};

// Runs the command token that the evaluator has just taken from its list
// (the cursor stands on the command's first argument). Returns 4 or an error,
// with the offending token recorded.
int RunCommand(CalcEngine& engine, const CalcToken& command, CalcMatrix& result);

// The text of a message (":warn" and the assertion report): copied up to its
// end, a CR or an LF; a double-byte character is copied as a pair; a
// backslash copies the character after it literally; every "-" becomes the
// source name, or nothing when there is none.
std::string ExpandMessage(std::string_view text, std::string_view source_name);

}  // namespace calc
