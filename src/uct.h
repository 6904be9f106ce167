#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <iosfwd>
#include <memory>
#include <optional>

#include "line_info.h"
#include "normal_board.h"
#include "random.h"

namespace nanaren {

class Tree;

// A playout that has gone this many moves without a winner is undecided.
inline constexpr int PlayoutMoveLimit = 80;

// The chosen move's estimate, as a search reports it.
struct SearchEstimate {
    int winningRate;       // the move's value in percent, truncated toward zero
    Vertex expectedReply;  // the most visited reply, -1 when the move was never expanded
};

// Receives a search's report while it runs.
class SearchObserver {
  public:
    virtual ~SearchObserver() = default;
    // Before the first iteration.
    virtual void Started() {}
    // At every twentieth of the iterations (at the first when there are fewer
    // than twenty): the share done, in percent.
    virtual void Progress(std::int64_t /*percent*/) {}
    // After the last iteration: the chosen move's estimate, none when the
    // computer has no legal move.
    virtual void Finished(const std::optional<SearchEstimate>& /*estimate*/) {}
};

// The report as the console prints it, each line flushed as it is made.
class ReportPrinter : public SearchObserver {
  public:
    explicit ReportPrinter(std::ostream& out) : mOut(out) {}
    void Started() override;
    void Progress(std::int64_t percent) override;
    void Finished(const std::optional<SearchEstimate>& estimate) override;

  private:
    std::ostream& mOut;
};

// Per-colour arrays are indexed 0 for Black and 1 for White.
constexpr int ColorIndex(int color) {
    return color == Black ? 0 : 1;
}

// The computer player: the game position, the search tree and the per-colour
// results of the line analysis.
class Uct {
  public:
    // Reads think.txt, clears the board, seeds the generator with the clock
    // value (the game passes the wall-clock seconds) and creates the tree.
    explicit Uct(int color, std::time_t clock = std::time(nullptr));
    ~Uct();
    Uct(const Uct&) = delete;
    Uct& operator=(const Uct&) = delete;

    // Searches the position, reports, and plays the most visited move: its
    // vertex goes to vertex and its put result is returned. Without a legal
    // move the computer passes: vertex -1, Success, nothing played.
    Board::PutResult Think(Vertex& vertex, SearchObserver& observer);
    // The same, with the report printed as the console shows it.
    Board::PutResult Think(Vertex& vertex, std::ostream& out);
    Board::PutResult Think(Vertex& vertex);
    // Plays the opponent's move on the game board, counting it as a move of
    // the game even when it is refused.
    Board::PutResult PlayOpponentMove(Vertex v);
    // One search iteration from the root; the caller restores the board.
    void Iterate();
    // Creates the children of a leaf for color, the side to move there.
    void Expand(std::int32_t node, int color);
    bool NeedsExpansion(std::int32_t node) const;

    // Line analysis along the column and the row through p, for colour c.
    bool ScanLine(Vertex p, int dir, int side, int c);
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

    // Plays the game out with c to move; 1.0 the computer won, 0.0 it lost,
    // 0.5 undecided.
    float Playout(int c);
    // One move of the policy: Win, Success, or Failure when c has no move.
    Board::PutResult PlayoutMove(int c);

    // The tactical steps of a playout move, for the mover c. BlockSeven gives
    // nothing when no ray needs blocking.
    std::optional<Board::PutResult> BlockSeven(int c);
    Board::PutResult ReplyToAtari(int c);
    Board::PutResult JudgeThreat(int c);

    std::int32_t mPlayouts;                 // playouts per move
    std::array<std::uint8_t, 2> mThreat{};  // a line threat of that colour was found
    std::unique_ptr<Tree> mTree;            // the search tree, reset for every move
    Board mBoard;                           // the game position; working board of a search
    std::int32_t mMoveCount;                // moves of the game so far
    std::int32_t mMyColor;                  // the computer's colour
    std::array<LineInfo, 2> mLine{};        // the last line scan for each colour

  private:
    void RunIterations(const Board& saved, SearchObserver& observer);
    bool HasRoomToExpand() const;
    void KeepOnlyChild(std::int32_t node, Vertex move);

    // Scan without the record of a miss, after the span test.
    bool HasThreatAlong(Vertex p, int dir, int c) {
        const Axis axis = StepOf(dir).axis;
        return SpanOfPlaces(mBoard.mLines.StonesThrough(c, p, axis)) >= 6 && Scan(p, dir, c, false);
    }
    bool Scan(Vertex p, int dir, int c, bool recordMiss);
    bool FindFirstThreatInOrder(Vertex p, int c, std::array<bool, MaxVertexSize>& seen);
    Vertex LastPointOfRegionWalk(Vertex p) const;

    Board::PutResult PlayTacticalOrRandomMove(int c);
    Board::PutResult ExtendLine(int c);
    Board::PutResult PlayNearPreviousMove(int c);
    Board::PutResult PlayRandomMove(int c);
    Board::PutResult PlayAnyOf(const Vertex* points, int count, int c);
    Board::PutResult CheckOwnThreat(int c);
};

}  // namespace nanaren
