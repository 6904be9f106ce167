#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "game/position.h"

namespace nanaren {

// Game records in SGF (FF[4]), beside the engine's own record: the format
// that board-game viewers and editors read. GM[1] and SZ[9] make a viewer
// replay the captures as this game's; the line of seven it does not know, so
// RU[] names the rules and RE[] says who won.

// What a record says of a game besides its moves.
struct SgfHeader {
    std::string black;    // PB: Black's player
    std::string white;    // PW: White's player
    std::string date;     // DT: "2024-05-01"
    std::string result;   // RE: "B+", "W+R" and so on, "" when there is none
    std::string comment;  // the root's C
};

// What a review says of a move.
struct SgfMoveNote {
    std::optional<double> blackWinRate;  // SBKV: Black's chances after it, in percent
    std::string comment;                 // C: the move's class, or any remark
};

// A game as SGF holds it: its moves in order, Pass a pass and, last, Resign
// when the side to move gave up (RE[..+R]).
struct SgfRecord {
    SgfHeader header;
    std::vector<Vertex> moves;
    std::vector<SgfMoveNote> notes;  // by move; fewer than the moves when the last have none
};

// A day as DT[] writes it, "2024-05-01", from seconds since the epoch in
// the local time zone.
std::string SgfDate(std::time_t seconds);

// The rules as RU[] names them.
extern const char* const SgfRules;

// RE's text for a position: "B+" or "W+" for a winning line, "B+R" or "W+R"
// when the other side resigned, "" while no one has won.
std::string SgfResultOf(const Position& position);

// A position's moves with its result; the header's names and date are the
// caller's to fill in.
SgfRecord SgfRecordOf(const Position& position);

// The record as an SGF game: the root with FF, GM, SZ, CA, RU and the
// header, then a node for each move (a resignation is in RE, not a node).
std::string WriteSgf(const SgfRecord& record);

// Where a text stops being this game's SGF, and why.
struct SgfError {
    int line;            // from 1
    int column;          // from 1, in bytes
    std::string reason;  // what is wrong there

    // "line 3, column 12: ..."
    std::string Message() const;
};

// The main line of the first game in an SGF text, every move checked by the
// rules, from the empty board with Black first; a file of another game or
// board size, with stones set up, or with a move that cannot be played is
// refused at its place. Properties it does not know are passed over.
std::variant<SgfRecord, SgfError> ReadSgf(std::string_view text);

// Every game of a collection, each read as ReadSgf reads the first.
std::variant<std::vector<SgfRecord>, SgfError> ReadSgfGames(std::string_view text);

}  // namespace nanaren
