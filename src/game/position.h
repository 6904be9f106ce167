#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/board.h"

namespace nanaren {

// Why a move is refused.
enum class Refusal {
    None,
    OffBoard,     // no playing point
    Occupied,     // a stone is there
    Ko,           // it would take back a single stone at once
    Suicide,      // its group would have no liberty and it captures nothing
    Overline,     // Black's line of eight or more
    GameOver,     // the game has been won
    NotYourTurn,  // the other side is to move
};

// A short English name of a refusal: "off the board", "occupied", "ko",
// "suicide", "overline", "game over", "not your turn"; "" for None.
const char* RefusalName(Refusal refusal);

// What became of a move: it stands, it won the game, or it was refused and
// why. A resignation stands and ends the game; a pass stands.
struct MoveOutcome {
    enum class Kind { Played, Won, Refused };
    Kind kind = Kind::Played;
    Refusal refusal = Refusal::None;  // why, when refused

    static MoveOutcome Played() { return {Kind::Played, Refusal::None}; }
    static MoveOutcome Won() { return {Kind::Won, Refusal::None}; }
    static MoveOutcome RefusedFor(Refusal why) { return {Kind::Refused, why}; }
    bool Stands() const { return kind != Kind::Refused; }
    bool operator==(const MoveOutcome&) const = default;
};

// Where a game record stops making sense, and why.
struct RecordError {
    enum class Kind {
        NotAMove,            // the token is no move
        AfterTheEnd,         // the game was over before it
        Refused,             // the rules refuse it (see refusal)
        ComputerPlaysOther,  // the computer plays computerMove there
        ComputerNoResign,    // the computer does not resign
    };
    int token;                        // which token, from 1
    std::string text;                 // the token as written
    Kind kind = Kind::NotAMove;       // what is wrong with it
    Refusal refusal = Refusal::None;  // for Refused
    Vertex computerMove = NoVertex;   // for ComputerPlaysOther
    int mover = Black;                // whose move it is

    // A diagnostic in English: "move 2 (5-5): White may not play there
    // (occupied)". Front-ends that speak to a person word the kind themselves.
    std::string Message() const;
};

// The game as it stands: the board, every move in order with the passes,
// the side to move and, once the game is over, the winner and the stones of
// the winning line. A game starts from the empty board with Black to move,
// and the colours alternate, a pass counting as a move.
class Position {
  public:
    Position() = default;
    // A game from stones set up on a board (a problem, a test), with
    // firstToMove to play the first move.
    Position(const Board& start, int firstToMove);
    Position(const Position&) = delete;
    Position& operator=(const Position&) = delete;

    // The board as a view: the stone at each point, the ko point.
    const Board& GetBoard() const { return mBoard; }
    // Empty, Black or White at a point (Wall off the playing points).
    int StoneAt(Vertex v) const { return mBoard.Cell(v); }
    const std::vector<Vertex>& Moves() const { return mMoves; }
    int ToMove() const { return mMoves.size() % 2 == 0 ? mFirstToMove : Opposite(mFirstToMove); }
    // Black or White once a winning line is made or a side resigns; Empty
    // until then.
    int Winner() const { return mWinner; }
    bool IsOver() const { return mWinner != Empty; }
    // The stones of the winning line (every winning line the last stone
    // made), in order along it; empty while no line has won.
    const std::vector<Vertex>& WinningStones() const { return mWinningStones; }
    // The last move (a point, Pass or Resign), NoVertex before the first.
    Vertex LastMove() const { return mMoves.empty() ? NoVertex : mMoves.back(); }
    // The last stone placed, NoVertex before the first.
    Vertex LastStone() const;
    // The stones color has captured so far.
    int Captures(int color) const { return mCaptures[ColorIndex(color)]; }

    // Plays the side to move on v, or passes or resigns. A refused move
    // changes nothing and says why.
    MoveOutcome Play(Vertex v);
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
    std::vector<Vertex> mMoves;          // every move: a point, Pass or Resign
    int mWinner = Empty;                 // who made a winning line, or did not resign
    std::vector<Vertex> mWinningStones;  // the stones of that line
    std::array<int, 2> mCaptures{};      // by colour: the stones it has captured
};

}  // namespace nanaren
