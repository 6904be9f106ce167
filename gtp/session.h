#pragma once

#include <iosfwd>

#include "engine.h"

namespace nanaren::gtp {

// Reads commands from in and answers them on out until quit or the end of
// the input. An analysis runs on a thread of its own, writing its lines,
// until the next line of input arrives; that ends it (and its answer), and a
// command on that line is then carried out.
void RunSession(Engine& engine, std::istream& in, std::ostream& out);

}  // namespace nanaren::gtp
