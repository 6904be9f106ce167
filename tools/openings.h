#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "match.h"

namespace nanaren::match {

// The openings --openings names: "random:N", N plies drawn from each pair's
// clock (1 to MaxOpeningPlies), or a file of records, one game per line in
// the one notation, or of SGF games (each one's main line). An opening is
// moves on the board, no pass, after which no one has won. Why the
// openings are none otherwise, naming the file and the place.
std::variant<Openings, std::string> ReadOpenings(std::string_view source);

// The openings of a file's text, named name in messages.
std::variant<Openings, std::string> OpeningsOfText(std::string_view text, const std::string& name);

}  // namespace nanaren::match
