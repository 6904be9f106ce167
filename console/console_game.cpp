#include "console_game.h"

#include <iomanip>
#include <iostream>
#include <limits>

#include "core/check.h"
#include "game/notation.h"
#include "messages.h"
#include "play/game.h"
#include "players/exact_player.h"
#include "report_printer.h"
#include "think_file.h"

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

class ConsoleGame {
  public:
    ConsoleGame(std::istream& in, std::ostream& out, const Texts& texts)
        : mIn(in), mOut(out), mTexts(texts) {}

    void Play(const std::function<std::time_t()>& clock, const ConsoleOptions& options) {
        int human = Black;
        if (!ChooseColor(human)) return;
        const std::time_t seconds = clock();
        // think.txt is read once the clock has been.
        Game game(human, seconds, MakePlayer(ComputerChoice(options)));
        if (human == Black) PrintBoard(game.GetPosition().GetBoard(), mOut);
        while (!game.IsOver()) {
            if (game.CurrentState() == Game::State::ComputerToMove) {
                ComputerTurn(game);
            } else if (!HumanTurn(game)) {
                return;  // the input has ended
            }
        }
        mOut << (game.Winner() == human ? mTexts.youWin : mTexts.youLose) << std::endl;
    }

  private:
    // Asks until the answer is a number: 1 is Black, anything else White.
    // False when the input ends.
    bool ChooseColor(int& human) {
        for (;;) {
            mOut << mTexts.chooseColor << std::flush;
            int answer = 0;
            const ReadResult r = ReadInteger(mIn, answer);
            if (r == ReadResult::End) {
                EndOfInput();
                return false;
            }
            if (r == ReadResult::Number) {
                human = answer == 1 ? Black : White;
                return true;
            }
        }
    }

    void ComputerTurn(Game& game) {
        ReportPrinter report(mOut, mTexts);
        const Vertex move = game.PlayComputer(report).move;
        mLastRefused = false;
        // A computer without a legal move passes, shown as the person's pass.
        mOut << "AI:" << (move == Pass ? "-1, -1" : PointText(move, ", ")) << std::endl;
        PrintBoard(game.GetPosition().GetBoard(), mOut);
    }

    // One prompt and its answer; false when the input has ended.
    bool HumanTurn(Game& game) {
        mOut << mTexts.yourMove << std::flush;
        int x = 0;
        int y = 0;
        ReadResult r = ReadInteger(mIn, x);
        if (r == ReadResult::Number) r = ReadInteger(mIn, y);
        if (r == ReadResult::End) {
            EndOfInput();
            return false;
        }
        if (r == ReadResult::NotANumber) {
            mLastRefused = true;
        } else {
            PlayTyped(game, x, y);
        }
        PrintBoard(game.GetPosition().GetBoard(), mOut);
        return true;
    }

    // -1 for either number passes, but only where the person's last try
    // was not refused (before the first try there is none): after the
    // computer's move the computer moves again, after a refused move the
    // person is asked again. Numbers off the grid are refused like an
    // illegal move.
    void PlayTyped(Game& game, int x, int y) {
        if (x == -1 || y == -1) {
            if (!mLastRefused) game.Pass();
            return;
        }
        const bool onGrid = x >= 0 && x < GridSize && y >= 0 && y < GridSize;
        mLastRefused = !onGrid || !game.Play(GetVertex(x, y)).Stands();
    }

    // The game ends where the input does, after a line break.
    void EndOfInput() { mOut << std::endl; }

    std::istream& mIn;
    std::ostream& mOut;
    const Texts& mTexts;  // in the options' language and encoding
    // Whether the person's last try was refused; none yet counts as refused.
    bool mLastRefused = true;
};

}  // namespace

PlayerChoice ComputerChoice(const ConsoleOptions& options) {
    if (options.player) return *options.player;
    return ExactSettings{ReadPlayoutCount()};
}

void PrintBoard(const Board& board, std::ostream& out) {
    out << "    [";
    for (int x = 1; x <= BoardSize; ++x)
        out << std::setw(2) << x;
    out << ']' << std::endl;
    for (int y = 1; y <= BoardSize; ++y) {
        out << '[' << std::setw(2) << y << "] ";
        for (int x = 1; x <= BoardSize; ++x) {
            const int cell = board.Cell(GetVertex(x, y));
            NANAREN_ASSERT(cell <= Wall);
            out << ' ' << DisplayCharacters[cell];
        }
        out << std::endl;
    }
}

void PlayGame(std::istream& in, std::ostream& out, const std::function<std::time_t()>& clock,
              const ConsoleOptions& options) {
    ConsoleGame(in, out, TextsFor(options.language, options.encoding)).Play(clock, options);
}

void PlayGame(std::istream& in, std::ostream& out, const std::function<std::time_t()>& clock,
              std::optional<std::int32_t> playouts) {
    ConsoleOptions options;
    if (playouts) options.player = ExactSettings{*playouts};
    PlayGame(in, out, clock, options);
}

void PlayGame(const ConsoleOptions& options) {
    PlayGame(
        std::cin, std::cout, [] { return std::time(nullptr); }, options);
}

}  // namespace nanaren
