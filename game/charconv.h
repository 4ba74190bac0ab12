#pragma once

// Floating-point std::to_chars and std::from_chars for the position file and
// the runtime's number texts. Where the C++ library has them, they are the
// library's own. libc++ before version 14 (the one the browser build links)
// has neither, and in the Windows program they would outweigh the rest of
// it; there the C library's printf and strtod stand in, held to the same
// texts: the shortest text that reads back as the same float, the same
// syntax accepted, the same range errors. The stand-ins are compiled on every
// system, so a test can hold them against the library's own.

#include <charconv>

namespace morvane {

// As std::to_chars(first, last, value, format): the shortest round-trip text,
// fixed or scientific.
std::to_chars_result floatToChars(char* first, char* last, float value, std::chars_format format);
// As std::to_chars(first, last, value, format, precision).
std::to_chars_result doubleToChars(char* first, char* last, double value, std::chars_format format, int precision);
// As std::from_chars(first, last, value) in the general format.
std::from_chars_result doubleFromChars(const char* first, const char* last, double& value);

namespace standin {
std::to_chars_result floatToChars(char* first, char* last, float value, std::chars_format format);
std::to_chars_result doubleToChars(char* first, char* last, double value, std::chars_format format, int precision);
std::from_chars_result doubleFromChars(const char* first, const char* last, double& value);
} // namespace standin

} // namespace morvane
