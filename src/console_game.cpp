#include "console_game.h"

#include <iomanip>
#include <iostream>
#include <limits>

#include "check.h"
#include "messages.h"
#include "uct.h"

namespace nanaren {

namespace {

// The display character of each colour code.
constexpr char DisplayCharacters[] = {'+', '@', 'O', '?'};

enum class ReadResult { Number, NotANumber, End };

// Reads one integer. After a token that is not a number (or one beyond the
// int range) the rest of the line is skipped.
ReadResult ReadInteger(std::istream& in, int& value) {
    if (in >> value) return ReadResult::Number;
    if (in.eof()) return ReadResult::End;
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    return ReadResult::NotANumber;
}

bool IsGridCoordinate(int c) {
    return c >= 0 && c < GridSize;
}

class ConsoleGame {
  public:
    ConsoleGame(std::istream& in, std::ostream& out) : mIn(in), mOut(out) {}

    void Play(const std::function<std::time_t()>& clock) {
        if (!ChooseColor()) return;
        Uct player(Opposite(mHuman), clock());
        if (mHuman == Black) PrintBoard(player.mBoard, mOut);
        for (bool humanToMove = mHuman == Black;; humanToMove = !humanToMove) {
            const bool gameOver = humanToMove ? HumanTurn(player) : ComputerTurn(player);
            if (gameOver) return;
        }
    }

  private:
    // Asks until the answer is a number: 1 is Black, anything else White.
    // False when the input ends.
    bool ChooseColor() {
        for (;;) {
            mOut << messages::ChooseColor << std::flush;
            int answer = 0;
            const ReadResult r = ReadInteger(mIn, answer);
            if (r == ReadResult::End) {
                EndOfInput();
                return false;
            }
            if (r == ReadResult::Number) {
                mHuman = answer == 1 ? Black : White;
                return true;
            }
        }
    }

    bool ComputerTurn(Uct& player) {
        Vertex vertex = -1;
        mLastResult = player.Think(vertex, mOut);
        // A computer without a legal move passes, shown as the human's pass.
        const int x = vertex == -1 ? -1 : GetX(vertex);
        const int y = vertex == -1 ? -1 : GetY(vertex);
        mOut << "AI:" << x << ", " << y << std::endl;
        PrintBoard(player.mBoard, mOut);
        if (mLastResult != Board::Win) return false;
        mOut << messages::YouLose << std::endl;
        return true;
    }

    // Prompts until a move is played or passed; true when the game is over.
    bool HumanTurn(Uct& player) {
        for (;;) {
            mOut << messages::YourMove << std::flush;
            int x = 0;
            int y = 0;
            ReadResult r = ReadInteger(mIn, x);
            if (r == ReadResult::Number) r = ReadInteger(mIn, y);
            if (r == ReadResult::End) {
                EndOfInput();
                return true;
            }

            if (r == ReadResult::NotANumber) {
                mLastResult = Board::Failure;
            } else if (x != -1 && y != -1) {
                ++player.mMoveCount;
                const bool onGrid = IsGridCoordinate(x) && IsGridCoordinate(y);
                mLastResult =
                    onGrid ? player.mBoard.PutAt(GetVertex(x, y), mHuman) : Board::Failure;
            }
            PrintBoard(player.mBoard, mOut);
            if (mLastResult == Board::Win) {
                mOut << messages::YouWin << std::endl;
                return true;
            }
            if (mLastResult != Board::Failure) return false;
        }
    }

    // The game ends where the input does, after a line break.
    void EndOfInput() { mOut << std::endl; }

    std::istream& mIn;
    std::ostream& mOut;
    int mHuman = Black;  // the human's colour
    // The result of the last put; none yet counts as refused, so that a pass
    // at the very first prompt only repeats it.
    Board::PutResult mLastResult = Board::Failure;
};

}  // namespace

void PrintBoard(const Board& board, std::ostream& out) {
    out << "    [";
    for (int x = 1; x <= BoardSize; ++x)
        out << std::setw(2) << x;
    out << ']' << std::endl;
    for (int y = 1; y <= BoardSize; ++y) {
        out << '[' << std::setw(2) << y << "] ";
        for (int x = 1; x <= BoardSize; ++x) {
            const int cell = board.mCell[GetVertex(x, y)];
            NANAREN_ASSERT(cell <= Wall);
            out << ' ' << DisplayCharacters[cell];
        }
        out << std::endl;
    }
}

void PlayGame(std::istream& in, std::ostream& out, const std::function<std::time_t()>& clock) {
    ConsoleGame(in, out).Play(clock);
}

void PlayGame() {
    PlayGame(std::cin, std::cout, [] { return std::time(nullptr); });
}

}  // namespace nanaren
