#pragma once

#include <cstdint>

namespace nanaren {

// The playouts per move that think.txt in the working directory gives: its
// first integer as "%d" reads it (blanks skipped, an optional sign, digits;
// a value beyond the 32-bit range clamped to it), or DefaultPlayoutCount
// when the file is missing or starts with no number.
std::int32_t ReadPlayoutCount();

}  // namespace nanaren
