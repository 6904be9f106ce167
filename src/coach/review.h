#pragma once

#include <array>
#include <memory>
#include <vector>

#include "coach/analysis.h"
#include "core/random.h"

namespace nanaren {

// What a move was, as a review marks it. The certain classes come first: a
// win in one or a forced win the mover had and let go, or one it gave the
// other side. Then the estimated ones, by how much the move lowered the
// mover's chances.
enum class MoveClass {
    None,
    Inaccuracy,
    Mistake,
    Blunder,
    MissedWin,
    MissedForcedWin,
    AllowedWin,
    AllowedForcedWin,
};
inline constexpr int MoveClassCount = 8;

// The class's name as the page and the console's review write it: "",
// "inaccuracy", "mistake", "blunder", "missed-win", "missed-forced-win",
// "allowed-win", "allowed-forced-win".
const char* MoveClassName(MoveClass kind);

// The drops in the mover's chances (0 to 1) that make a move an inaccuracy,
// a mistake and a blunder.
inline constexpr double InaccuracyDrop = 0.10;
inline constexpr double MistakeDrop = 0.20;
inline constexpr double BlunderDrop = 0.30;

// One move reviewed.
struct MoveReview {
    Vertex move = Pass;
    int mover = Black;
    double winBefore = 0.5;        // the mover's chances before the move, 0 to 1
    double winAfter = 0.5;         // and after it
    Vertex best = Pass;            // the move the analysis chose instead
    double bestWinRate = 0.5;      // the mover's chances with it
    std::vector<Vertex> bestLine;  // the line that follows it
    MoveClass kind = MoveClass::None;
    std::vector<Vertex> threat;  // for a certain class: the win missed or allowed
};

// One side's moves summed up.
struct SideReview {
    std::array<int, MoveClassCount> counts{};  // by class
    double accuracy = 100.0;                   // 0 to 100, the mean of the moves' accuracies
};

struct GameReview {
    std::vector<MoveReview> moves;
    std::array<SideReview, 2> sides;  // by colour index
};

// A move's accuracy in percent from the drop in its mover's chances (0 to 1).
double MoveAccuracy(double drop);

// The certain class of mover's move, from the board before it (to tell a
// forcing move from a lost tempo), the facts before and after it, and
// whether it won the game; None where nothing is certain. threat receives
// the win missed or allowed.
MoveClass CertainClass(const Board& before, const TacticalFacts& was, const TacticalFacts& is,
                       int mover, Vertex move, bool won, ThreatSearch& threats,
                       std::vector<Vertex>& threat);

// The certain class of a game's last move, from the facts before and after
// it: what a teaching mode warns of before the other side answers.
MoveClass CertainClassOfLastMove(const Position& position, ThreatSearch& threats,
                                 std::vector<Vertex>& threat);

// Reviews a game's moves from the empty board, one position at a time, so
// that a front-end can show its progress and stop between positions. Each
// position is analysed once: the analysis after a move is the one before
// the next. The review draws from a generator of its own, from its start
// state, so the same game at the same settings is reviewed alike anywhere.
class Reviewer {
  public:
    Reviewer(const std::vector<Vertex>& moves, const StrongSettings& settings);

    // Positions to analyse (the moves and one more), and those done.
    int Total() const { return static_cast<int>(mMoves.size()) + 1; }
    int Done() const { return static_cast<int>(mAnalyses.size()); }
    bool Finished() const { return Done() == Total(); }
    // Analyses the next position.
    void Step();
    // The review, once finished.
    GameReview Result();

  private:
    std::vector<Vertex> mMoves;               // the game
    std::unique_ptr<Analyst> mAnalyst;        // the search, allocated once
    Random mRandom;                           // what the analyses draw from
    Position mPosition;                       // the game so far
    std::vector<PositionAnalysis> mAnalyses;  // before each move, and after the last
};

// A whole review at once.
GameReview ReviewGame(const std::vector<Vertex>& moves, const StrongSettings& settings);

}  // namespace nanaren
