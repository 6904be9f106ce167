#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/board.h"

namespace nanaren {

// Why a point is refused to a colour.
enum class Refusal { None, OffBoard, Occupied, Ko, Suicide, Overline };

// A short English name of a refusal: "off the board", "occupied", "ko",
// "suicide", "overline"; "" for None.
const char* RefusalName(Refusal refusal);

// Where a game record stops making sense.
struct RecordError {
    int token;           // which token, from 1
    std::string text;    // the token as written
    std::string reason;  // what is wrong with it

    // "move 3 (4-x): not a point; ..."
    std::string Message() const;
};

// The game as it stands: the board, every move in order with the passes,
// the side to move and, once a line is made, the winner and its stones.
// A game starts from the empty board with Black to move, and the colours
// alternate, a pass counting as a move.
class Position {
  public:
    Position() = default;
    // A game from stones set up on a board (a problem, a test), with
    // firstToMove to play the first move.
    Position(const Board& start, int firstToMove);
    Position(const Position&) = delete;
    Position& operator=(const Position&) = delete;

    const Board& GetBoard() const { return mBoard; }
    const std::vector<Vertex>& Moves() const { return mMoves; }
    int ToMove() const { return mMoves.size() % 2 == 0 ? mFirstToMove : Opposite(mFirstToMove); }
    // Black or White once a winning line is made; Empty until then.
    int Winner() const { return mWinner; }
    bool IsOver() const { return mWinner != Empty; }
    // The stones of the winning line (every winning line the last stone
    // made), in order along it; empty while no one has won.
    const std::vector<Vertex>& WinningStones() const { return mWinningStones; }
    // The last stone placed, NoVertex before the first.
    Vertex LastStone() const;

    // Plays color, which must be the side to move in a game not yet won, on
    // v or, with Pass, passes. A refused point changes nothing; a pass is
    // always a Success.
    Board::PutResult Play(int color, Vertex v);
    // Takes back the last move; false when there is none.
    bool Undo();
    // Takes back every move.
    void Restart() { Replay({}); }
    // Why color may not play v here, or Refusal::None when it may. Worked out
    // beside the rules, in the order the put tests them.
    Refusal ReasonRefused(int color, Vertex v) const;

    // The moves as text, "5-5 4-4 pass 6-6": column-row, in order.
    std::string Record() const;
    // Replaces the moves with those of a record, played from the start, or,
    // when the record does not parse or holds a move that cannot be played,
    // leaves the game as it was and says why.
    std::optional<RecordError> ReadRecord(std::string_view record);

  private:
    void Replay(const std::vector<Vertex>& moves);
    void NoteWinningStones(Vertex v, int color);

    Board mStart;                        // the board before the first move
    int mFirstToMove = Black;            // the colour of the first move
    Board mBoard;                        // the stones, the empty list and the ko point
    std::vector<Vertex> mMoves;          // every move, Pass for a pass
    int mWinner = Empty;                 // who made a winning line
    std::vector<Vertex> mWinningStones;  // the stones of that line
};

// A move as a record writes it: "5-3", or "pass".
std::string MoveText(Vertex v);
// A move as a record writes it ("5-3", "pass"), or none for other text.
std::optional<Vertex> ParseMove(std::string_view token);

}  // namespace nanaren
