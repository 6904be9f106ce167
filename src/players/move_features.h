#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"
#include "game/pattern.h"

namespace nanaren {

// What a player would say of a move before reading ahead: the stones around
// it, the lines it makes and blocks, its captures and ataris, how near it is
// to the last two moves and to the edge. Each group of features gives a move
// one level; the learned priors weigh every level (move_priors.h).
enum FeatureGroup : int {
    Pattern,       // the 3x3 pattern around the point, seen by the mover
    OwnLine,       // the mover's longest run through the point and its open ends
    OwnWindow,     // the most of the mover's stones in a window of seven through it
    OpponentLine,  // the same for the opponent, were it to play there
    OpponentWindow,
    Capture,          // the stones the move captures
    Atari,            // the opponent's group the move leaves with one liberty
    Escape,           // the mover's group in atari the move saves
    SelfAtari,        // the move's own group left with one liberty
    LastDistance,     // the distance to the opponent's last move
    OwnLastDistance,  // the distance to the mover's previous move
    EdgeDistance,     // the lines between the point and the edge
    FeatureGroupCount
};

// The levels of each group; a pattern's level is its code (PatternCode).
inline constexpr std::array<int, FeatureGroupCount> FeatureLevels = {
    PatternCount, 22, 8, 22, 8, 4, 3, 2, 3, 10, 10, 5};

// The most levels of a group other than the pattern.
inline constexpr int MaxGroupLevels = 22;

// A move's level in every group.
using MoveFeatures = std::array<std::uint16_t, FeatureGroupCount>;

// The features of color's move at v, an empty point where the move is not
// refused. The record's last two entries are taken as the last two moves.
MoveFeatures FeaturesOf(const Board& board, Vertex v, int color);

// The 3x3 pattern around v as the mover sees it: two bits for each neighbour
// in Neighbours order, the lowest first: 0 empty, 1 own, 2 opponent, 3 off
// the board.
std::uint16_t PatternCode(const Board& board, Vertex v, int color);

// The least code among the pattern's eight rotations and reflections, the
// one under which a pattern is learned.
std::uint16_t CanonicalPattern(std::uint16_t code);

// The level of a run of length (1 to 7, longer counted as 7) with open ends
// (0 to 2) on a line where a winning line can still be made; level 0 is no
// such line.
constexpr int LineLevel(int length, int openEnds) {
    return 1 + 3 * ((length < 7 ? length : 7) - 1) + openEnds;
}

// The level of a distance between points dx and dy apart, dx + dy + max:
// 0 for no such move, then 2 (or less, on the point itself) to 9 as levels 1
// to 8, and 9 for farther.
constexpr int DistanceLevel(int dx, int dy) {
    const int d = dx + dy + (dx > dy ? dx : dy);
    return d <= 2 ? 1 : d >= 10 ? 9 : d - 1;
}

}  // namespace nanaren
