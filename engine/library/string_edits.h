// The text edits behind the string commands, on plain byte strings: the
// marked span of strcpy, the replacements of strrep and the HTML escapes, and
// the double-byte-safe cut of strtrunc. None of them touches an array.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/matrix.h"

namespace calc {

// From the first occurrence of `begin` through the first occurrence of `end`
// that starts after it, both included; empty when either is absent.
std::string MarkedSpan(std::string_view text, std::string_view begin, std::string_view end, bool ignore_case);

// The replacements below give up (nullopt) once their result would pass this
// many bytes: no array string can hold more, and a short text with many
// matches and a long replacement could otherwise ask for more memory than
// there is.
constexpr std::size_t kMaxEditedLength = CalcMatrix::kMaxElements;

// Every occurrence of `from`, scanned left to right without overlap, replaced
// by `to`; the inserted text is never searched again. An empty `from`
// matches nothing.
std::optional<std::string> ReplaceAll(std::string_view text, std::string_view from, std::string_view to, bool ignore_case);

// Every span from an occurrence of `begin` through the next occurrence of
// `end` replaced by `to`; a `begin` with no `end` after it drops the rest of
// the text after `to` is put in. An empty `begin` matches nothing.
std::optional<std::string> ReplaceSpans(std::string_view text, std::string_view begin, std::string_view end, std::string_view to,
                         bool ignore_case);

// The length of the longest prefix of at most `limit` bytes that ends on a
// character boundary: a lead byte and the byte after it are one character
// and are never parted.
std::size_t CharacterCut(std::string_view text, std::size_t limit);

// "&", "<", ">", the double quote and the blank as HTML entities ("&amp;"
// first, so the entities put in are not escaped again).
std::optional<std::string> HtmlEscaped(std::string_view text);
// The five entities back as characters, in any letter case ("&amp;" last, so
// "&amp;lt;" becomes "&lt;", not "<").
std::optional<std::string> HtmlUnescaped(std::string_view text);

}  // namespace calc
