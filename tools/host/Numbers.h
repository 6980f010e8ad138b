// Strict parsing of numbers typed by the user: the whole text must be the number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace host {

// A finite decimal number ("0.5", "-1e-3"); nothing else, not even surrounding blanks.
std::optional<double> parseFiniteNumber(std::string_view text);

// A whole decimal number without sign or fraction ("0", "512").
std::optional<int64_t> parseCount(std::string_view text);

// Removes blanks and tabs at both ends.
std::string_view trimBlanks(std::string_view text);

}  // namespace host
