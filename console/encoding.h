#pragma once

#include <string>
#include <string_view>

#include "messages.h"

namespace nanaren {

// Text written in UTF-8 as the console writes it: as it is, or as Shift-JIS
// (a character with no code in the console's table becomes '?').
std::string Encoded(std::string_view utf8, Encoding encoding);

}  // namespace nanaren
