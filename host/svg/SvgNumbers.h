// Numbers in SVG text: the SVG number grammar read (no locale, no "inf" or "nan"; plain
// decimals on a fast path of their own, the rest with fast_float), and written with
// std::to_chars in the shortest form that reads back to the same double, with at most 10
// significant digits: a number read with fewer is written back exactly as it was.
#pragma once

#include <string>
#include <string_view>

namespace host::svg {

enum class NumberStatus { Ok, NotANumber, OutOfRange };

/// Reads one number at s[pos] (no leading space skipped); on success pos moves past it.
NumberStatus scanNumber(std::string_view s, std::size_t& pos, double& value);

inline bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
void skipSpaces(std::string_view s, std::size_t& pos);
/// Spaces, then at most one comma, then spaces.
void skipCommaSpaces(std::string_view s, std::size_t& pos);
std::string_view trim(std::string_view s);

/// The whole string as one number (spaces around allowed).
bool parseWholeNumber(std::string_view s, double& value);

/// Shortest round-trip form, rounded to 10 significant digits when it needs more; false
/// (nothing written) for NaN and infinity.
bool appendNumber(std::string& out, double v);
/// Writes s such that flip - s, computed in doubles, gives back v exactly where any
/// decimal can, preferring the shortest such decimal (document y to SVG y).
bool appendFlipped(std::string& out, double v, double flip);

} // namespace host::svg
