#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/random.h"
#include "game/board.h"
#include "game/pattern.h"
#include "search/line_info.h"

namespace nanaren {

// A playout that has gone this many moves without a winner is undecided.
inline constexpr int PlayoutMoveLimit = 80;

// The exact search's playout policy and line analysis, on a working board of
// their own: the moves of a descent with their threat flags, and the
// randomised playout that finishes a game with the policy's tactics
// (blocking sevens, captures and escapes in atari, extending and judging long
// lines). A search copies its position onto mBoard and hands in its
// generator.
class PlayoutPolicy {
  public:
    // The working board, which a search sets to its position before each
    // iteration.
    const Board& GetBoard() const { return mBoard; }
    void SetPosition(const Board& position) { mBoard.CopyPosition(position); }
    // The colour searched for, whose wins the playouts count.
    int MyColor() const { return mMyColor; }
    void SetMyColor(int color) { mMyColor = color; }
    // What the playouts draw from.
    Random& GetRandom() { return mRandom; }
    void SetRandom(const Random& random) { mRandom = random; }
    // Has a random move drawn from draws points, the one whose 3x3 pattern
    // weighs most, the first among equals: weights by PatternCode. Without
    // weights (the exact player's playouts), it is a single point.
    void WeighRandomMoves(const std::array<float, PatternCount>* weights, int draws) {
        mPatternWeights = weights;
        mPatternDraws = draws;
    }
    // Clears the threat flags, at the start of an iteration.
    void ClearThreats() { mThreat = {0, 0}; }

    // Line analysis along the column and the row through p, for colour c.
    bool FindLineThreat(Vertex p, int c);
    // The same, for callers that never read the record of a miss, which is
    // then not written: while c's threat flag is clear, every reader of
    // mLine[c] scans first or needs the flag, and the flag is only ever set
    // together with a threat's record. A stretch runs from one own stone to
    // another (or to p, when p is one), so a line whose own stones span fewer
    // than six places holds none: most calls end there, before any scan.
    bool HasLineThreat(Vertex p, int c) {
        return HasThreatAlong(p, Up, c) || HasThreatAlong(p, Right, c);
    }
    // FindLineThreat for the line extension on the mover's previous stone q;
    // false, with no record made, when the record could not lead to a move.
    bool ScanForExtension(Vertex q, int c);
    bool FindThreatInRegion(Vertex p, int c);

    // PutAt, followed after a capture by a threat search in the freed points.
    Board::PutResult PutAndCheck(Vertex v, int c);
    // A move of a search's descent: PutAndCheck, then after a Success c's
    // threat flag is set if the move makes a line threat (once set, it stays
    // set for the iteration).
    Board::PutResult PlayDescentMove(Vertex move, int c);

    // Plays the game out with c to move; 1.0 the colour searched for won,
    // 0.0 it lost, 0.5 undecided.
    float Playout(int c);
    // One move of the policy: Win, Success, or Failure when c has no move.
    Board::PutResult PlayoutMove(int c);

    // The tactical steps of a playout move, for the mover c. BlockSeven gives
    // nothing when no ray needs blocking.
    std::optional<Board::PutResult> BlockSeven(int c);
    Board::PutResult ReplyToAtari(int c);
    Board::PutResult JudgeThreat(int c);

    // The line scan of the column (dir Up) or the row (dir Right) through p
    // for c; without recordMiss, a scan that finds no threat leaves no record.
    bool Scan(Vertex p, int dir, int c, bool recordMiss);

  private:
    // The tests set up and read the analysis's state directly.
    friend struct PlayoutPolicyProbe;

    // Scan without the record of a miss, after the span test.
    bool HasThreatAlong(Vertex p, int dir, int c) {
        const Axis axis = StepOf(dir).axis;
        return SpanOfPlaces(mBoard.Lines().StonesThrough(c, p, axis)) >= 6 &&
               Scan(p, dir, c, false);
    }
    bool FindFirstThreatInOrder(Vertex p, int c, std::array<bool, MaxVertexSize>& seen);
    Vertex LastPointOfRegionWalk(Vertex p) const;

    Board::PutResult PlayTacticalOrRandomMove(int c);
    Board::PutResult ExtendLine(int c);
    Board::PutResult PlayNearPreviousMove(int c);
    Board::PutResult PlayRandomMove(int c);
    Vertex HeaviestOfDraws(Vertex first, int c);
    Board::PutResult PlayAnyOf(const Vertex* points, int count, int c);
    Board::PutResult CheckOwnThreat(int c);

    std::array<std::uint8_t, 2> mThreat{};  // a line threat of that colour was found
    Board mBoard;                           // the working board of a search
    std::int32_t mMyColor = Black;          // the colour searched for
    std::array<LineInfo, 2> mLine{};        // the last line scan for each colour
    Random mRandom;                         // what the playouts draw from
    const std::array<float, PatternCount>* mPatternWeights = nullptr;  // for random moves, if any
    int mPatternDraws = 1;  // points drawn for a random move when weighed
};

}  // namespace nanaren
