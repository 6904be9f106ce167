#pragma once

#include <string>

namespace nanaren::testing {

// The UTF-8 text as Shift-JIS, converted by the system's own converter (iconv,
// or code page 932 on Windows); a text in angle brackets when it cannot be.
std::string ToShiftJis(const std::string& utf8);

}  // namespace nanaren::testing
