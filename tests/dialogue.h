#pragma once

#include <string>

#include "game/board.h"
#include "messages.h"

namespace nanaren::testing {

// The nine rows of the board as the game must show them, drawn from the cells
// with nothing of the game's own display code.
std::string RenderBoard(const Board& board);

// The output a game must print, built step by step beside a board of its own.
// The computer's moves are those of a search without iterations: the winning
// move when one exists, otherwise the first legal point of the empty list.
class Dialogue {
  public:
    // The colour prompt, and the empty board when the human is Black.
    explicit Dialogue(int human, const Texts& texts = ShiftJisTexts);

    // A prompt answered with a move: the human's stone (unless x or y is -1)
    // and the board. Returns the put result; a pass gives lastResult back.
    Board::PutResult Human(int x, int y, Board::PutResult lastResult);
    // A prompt answered with something that is not a move: the board again.
    void HumanRefused();
    // The computer's report, its move and the board; the vertex it played.
    Vertex Computer(Board::PutResult& result);
    // A prompt that meets the end of the input.
    void EndOfInput();

    const std::string& Text() const { return mText; }
    const Board& Position() const { return mBoard; }

  private:
    int mHuman;
    const Texts& mTexts;  // the language and encoding the game prints
    Board mBoard;
    std::string mText;
};

}  // namespace nanaren::testing
