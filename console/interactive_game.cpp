#include "interactive_game.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "coach/coach.h"
#include "coach_words.h"
#include "game/notation.h"
#include "interactive_words.h"
#include "play/game.h"
#include "record_file.h"

namespace nanaren {

namespace {

// The moves of a hint's line shown after its move.
constexpr std::size_t HintLineShown = 6;

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A column or row as typed: its number where the grid has one, else none.
std::optional<int> GridNumber(const std::string& digits) {
    if (digits.size() > 2) return std::nullopt;
    const int number = std::stoi(digits);
    return number < GridSize ? std::optional<int>(number) : std::nullopt;
}

Request MoveRequest(const std::string& column, const std::string& row) {
    const auto x = GridNumber(column);
    const auto y = GridNumber(row);
    return {Request::Kind::Move, x && y ? GetVertex(*x, *y) : NoVertex};
}

// The game's computer in the title's words.
std::string ComputerWords(const PlayerChoice& choice, Language language) {
    if (const auto* level = std::get_if<LevelChoice>(&choice)) {
        return LevelWords(level->level, language);
    }
    if (const auto* exact = std::get_if<ExactSettings>(&choice)) {
        return PlayoutWords(exact->playouts, language);
    }
    return PlayerName(choice);
}

// The computer's chances in percent as the person's, 0 to 1.
double PersonChances(const SearchEstimate& estimate) {
    return (100 - estimate.winningRate) / 100.0;
}

// Shows a search's progress on the screen's last line.
class ProgressLine : public SearchObserver {
  public:
    ProgressLine(Screen& screen, std::string label) : mScreen(screen), mLabel(std::move(label)) {}
    void Progress(std::int64_t percent) override {
        mScreen.ReplaceLastLine(mLabel + " " + std::to_string(percent) + "%");
    }

  private:
    Screen& mScreen;
    std::string mLabel;  // what is searching
};

// A new file in the directory named for the clock's local time, holding the
// text; its path, or none when no file could be written.
std::optional<std::filesystem::path> SaveNewFile(const std::filesystem::path& directory,
                                                 std::time_t clock, const std::string& text) {
    char stamp[32] = "game";
    if (const std::tm* local = std::localtime(&clock)) {
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
    }
    for (int copy = 1; copy < 100; ++copy) {
        const std::string suffix = copy == 1 ? "" : "-" + std::to_string(copy);
        const auto path = directory / ("nanaren-" + std::string(stamp) + suffix + ".txt");
        std::error_code error;
        if (std::filesystem::exists(path, error) || error) continue;
        std::ofstream file(path, std::ios::binary);
        if (file << text && file.flush()) return std::filesystem::absolute(path, error);
        return std::nullopt;
    }
    return std::nullopt;
}

class InteractiveGame {
  public:
    InteractiveGame(const InteractiveSetting& setting, const ConsoleOptions& options)
        : mSetting(setting),
          mOptions(options),
          mTexts(TextsFor(options.language, Encoding::Utf8)),
          mWords(WordsFor(options.language)),
          mScreen(setting.out, setting.abilities, options.encoding),
          mChoice(ComputerChoice(options)) {}

    void Run() {
        while (PlayOneGame()) {
        }
        mScreen.Leave();
    }

  private:
    enum class Ending { PlayAgain, TakeBack, Quit };

    // One game and what follows it; false when the person quits.
    bool PlayOneGame() {
        mGame.reset();
        mComputerLine.clear();
        mNotice.clear();
        const std::optional<int> human = ChooseColour();
        if (!human) return false;
        mSeed = mSetting.clock();
        mGame = std::make_unique<Game>(*human, mSeed, MakePlayer(mChoice));
        for (;;) {
            while (!mGame->IsOver()) {
                if (mGame->CurrentState() == Game::State::ComputerToMove) {
                    ComputerTurn();
                } else if (!PersonTurn()) {
                    return false;
                }
            }
            switch (AfterTheGame()) {
                case Ending::PlayAgain:
                    return true;
                case Ending::TakeBack:
                    continue;
                case Ending::Quit:
                    return false;
            }
        }
    }

    // The colour the person chooses; none when they quit.
    std::optional<int> ChooseColour() {
        for (;;) {
            std::string answer;
            if (!Ask(mTexts.chooseColor, answer) || answer == "q") return std::nullopt;
            if (answer == "1") return Black;
            if (answer == "2") return White;
            mNotice = {mScreen.Painted(mWords.chooseAgain, Paint::Refusal)};
        }
    }

    // One prompt and what it asks for; false when the person quits.
    bool PersonTurn() {
        std::string line;
        if (!Ask(mTexts.yourMove, line)) return false;
        mNotice.clear();
        return Follow(ParseRequest(line), line);
    }

    // Does what the typed line asks; false for quitting.
    bool Follow(const Request& request, std::string_view line) {
        switch (request.kind) {
            case Request::Kind::Move:
                PlayMove(line, request.move);
                break;
            case Request::Kind::Pass:
                mGame->Pass();
                mNotice = {mWords.youPassed};
                break;
            case Request::Kind::Resign:
                mGame->Resign();
                break;
            case Request::Kind::TakeBack:
                TakeBack();
                break;
            case Request::Kind::Hint:
                ShowHint();
                break;
            case Request::Kind::Help:
                mNotice = HelpLines(mOptions.language);
                break;
            case Request::Kind::NotAMove:
                mNotice = {mScreen.Painted(NotAMoveWords(line, mOptions.language), Paint::Refusal)};
                break;
            case Request::Kind::Quit:
                return false;
            case Request::Kind::Nothing:
                break;
        }
        return true;
    }

    void PlayMove(std::string_view typed, Vertex move) {
        const MoveOutcome outcome = mGame->Play(move);
        if (outcome.Stands()) return;
        mNotice = {mScreen.Painted(RefusalWords(typed, outcome.refusal, mOptions.language),
                                   Paint::Refusal)};
    }

    void TakeBack() {
        const bool taken = mGame->TakeBack();
        if (taken) mComputerLine.clear();
        mNotice = {taken ? mWords.takenBack : mWords.nothingToTake};
    }

    void ComputerTurn() {
        Show({}, mTexts.thinking);
        ProgressLine progress(mScreen, mTexts.thinking);
        const SearchResult result = mGame->PlayComputer(progress);
        const Position& position = mGame->GetPosition();
        std::string line = std::string(mWords.computer) + ": " + MoveWords(result.move);
        const std::string reason =
            ReasonWords(mCoach.ExplainLast(position), Whose::Yours, mOptions.language);
        if (!reason.empty()) line += mWords.reasonAfter + reason;
        if (result.estimate && !position.IsOver()) {
            line += " (" + EstimateWords(PersonChances(*result.estimate), mOptions.language) + ")";
        }
        mComputerLine = line;
    }

    void ShowHint() {
        Show({}, mWords.hintThinking);
        ProgressLine progress(mScreen, mWords.hintThinking);
        const Coach::Hint hint = mCoach.Suggest(mGame->GetPosition(), progress);
        std::string line = std::string(mWords.hint) + ": " + MoveWords(hint.move);
        const Whose computer = mGame->Human() == Black ? Whose::White : Whose::Black;
        const std::string reason = ReasonWords(hint.reason, computer, mOptions.language);
        if (!reason.empty()) line += mWords.reasonAfter + reason;
        line += " (" + EstimateWords(hint.winRate, mOptions.language) + ")";
        mNotice = {mScreen.Painted(line, Paint::Hint)};
        if (hint.line.size() > 1) {
            const std::size_t end = std::min(hint.line.size(), HintLineShown + 1);
            const std::vector<Vertex> then(hint.line.begin() + 1, hint.line.begin() + end);
            mNotice.push_back(std::string("  ") + mWords.then + ": " + LineWords(then));
        }
    }

    // The end: the result, the record saved, and what next.
    Ending AfterTheGame() {
        const std::vector<std::string> ending = {ResultLine(), RecordLine()};
        mNotice.clear();
        for (;;) {
            std::string answer;
            if (!Ask(mWords.playAgain, answer, ending)) return Ending::Quit;
            if (answer == "y" || answer == "yes") return Ending::PlayAgain;
            if (answer == "n" || answer == "no" || answer == "q") return Ending::Quit;
            if (ParseRequest(answer).kind == Request::Kind::TakeBack && mGame->TakeBack()) {
                mComputerLine.clear();
                mNotice = {mWords.takenBack};
                return Ending::TakeBack;
            }
        }
    }

    // The moves played and how the game ended, in the language's words.
    std::string ResultDetail(Language language) const {
        const Position& position = mGame->GetPosition();
        const bool resigned = position.LastMove() == Resign;
        const std::size_t moves = position.Moves().size() - (resigned ? 1 : 0);
        return ResultDetailWords(moves, resigned, language);
    }

    std::string ResultLine() const {
        const bool won = mGame->Winner() == mGame->Human();
        return mScreen.Painted(
            (won ? mTexts.youWin : mTexts.youLose) + ResultDetail(mOptions.language), Paint::Title);
    }

    // Saves the record, and says where; shows it where it cannot be saved.
    std::string RecordLine() const {
        const Position& position = mGame->GetPosition();
        const std::string comment = ColourWords(position.Winner(), Language::English) + " won" +
                                    ResultDetail(Language::English);
        const std::string text =
            GameFileText(mSeed, mGame->Human(), PlayerName(mChoice), position.Record(), comment);
        if (const auto path = SaveNewFile(mSetting.recordDirectory, mSeed, text)) {
            return mWords.recordSaved + path->string();
        }
        return mWords.recordNotSaved + position.Record();
    }

    std::string MoveWords(Vertex move) const { return move == Pass ? mWords.pass : MoveText(move); }

    // Shows the screen with the question and reads the answer, trimmed;
    // false when the input has ended.
    bool Ask(std::string_view question, std::string& answer,
             const std::vector<std::string>& above = {}) {
        Show(above, std::string(question) + " ");
        std::string line;
        if (!std::getline(mSetting.in, line)) return false;
        answer = Trimmed(line);
        return true;
    }

    // The board and what goes with it, the lines above the last, and the
    // last line (a question, or a search's progress).
    void Show(const std::vector<std::string>& above, const std::string& last) {
        std::vector<std::string> lines = {Title(), ""};
        AddBoard(lines);
        lines.push_back("");
        AddLegend(lines);
        lines.push_back("");
        if (!mComputerLine.empty()) lines.push_back(mComputerLine);
        lines.insert(lines.end(), mNotice.begin(), mNotice.end());
        lines.insert(lines.end(), above.begin(), above.end());
        lines.push_back(last);
        mScreen.Show(lines);
    }

    std::string Title() const {
        return mScreen.Painted("nanaren", Paint::Title) + "   " + mWords.computer + ": " +
               ComputerWords(mChoice, mOptions.language);
    }

    const Position& ShownPosition() const {
        static const Position empty;
        return mGame ? mGame->GetPosition() : empty;
    }

    void AddBoard(std::vector<std::string>& lines) const {
        std::string header = "   ";
        for (int x = 1; x <= BoardSize; ++x)
            header += " " + std::to_string(x);
        lines.push_back(header);
        for (int y = 1; y <= BoardSize; ++y)
            lines.push_back(BoardRow(y));
    }

    // A row: its label, then each point after a blank, or after '(' and
    // before ')' for the last move. The marks stay uncoloured: wine's console
    // breaks the line where one colour sequence follows another.
    std::string BoardRow(int y) const {
        const Position& position = ShownPosition();
        const Vertex last = position.LastMove();
        std::string row = " " + std::to_string(y) + " ";
        for (int x = 1; x <= BoardSize; ++x) {
            const Vertex v = GetVertex(x, y);
            row += v == last ? '(' : v - 1 == last ? ')' : ' ';
            row += Point(position, v);
        }
        if (GetVertex(BoardSize, y) == last) row += ')';
        return row;
    }

    // A point as the board shows it: '+', '@' or 'O', in its colour; a stone
    // of the winning line on a green ground, or as '*' without colour.
    std::string Point(const Position& position, Vertex v) const {
        const std::vector<Vertex>& winning = position.WinningStones();
        const bool wins = std::find(winning.begin(), winning.end(), v) != winning.end();
        if (wins && !mScreen.ShowsColour()) return "*";
        switch (position.StoneAt(v)) {
            case Black:
                return mScreen.Painted("@", wins ? Paint::Winning : Paint::Black);
            case White:
                return mScreen.Painted("O", wins ? Paint::Winning : Paint::White);
            default:
                return "+";
        }
    }

    void AddLegend(std::vector<std::string>& lines) const {
        const Position& position = ShownPosition();
        for (const int colour : {Black, White}) {
            std::string line =
                "   " + mScreen.Painted(colour == Black ? "@" : "O",
                                        colour == Black ? Paint::Black : Paint::White);
            line += " " + ColourWords(colour, mOptions.language);
            if (mGame && mGame->Human() == colour) line += " (" + std::string(mWords.you) + ")";
            line += "  " + std::string(mWords.captured) + " " +
                    std::to_string(position.Captures(colour));
            lines.push_back(line);
        }
        std::string marks = std::string("   + ") + mWords.empty + "   ( ) " + mWords.lastMove;
        if (!position.WinningStones().empty()) {
            const std::string sample =
                mScreen.ShowsColour()
                    ? mScreen.Painted(position.Winner() == Black ? "@" : "O", Paint::Winning)
                    : "*";
            marks += "   " + sample + " " + mWords.winningSeven;
        }
        lines.push_back(marks);
        lines.push_back("   " + std::string(mWords.keys));
    }

    const InteractiveSetting& mSetting;
    const ConsoleOptions& mOptions;
    const Texts& mTexts;             // the game's own, in UTF-8
    const InteractiveWords& mWords;  // the rest, in UTF-8
    Screen mScreen;
    Coach mCoach;                      // the hints and the reasons, one store for every game
    std::unique_ptr<Game> mGame;       // the game being played, none before the first
    PlayerChoice mChoice;              // the computer, as the options and think.txt choose it
    std::time_t mSeed = 0;             // the clock value the game's computer is seeded with
    std::string mComputerLine;         // the computer's last move, with its reason
    std::vector<std::string> mNotice;  // what the last request brought: a refusal, a hint
};

}  // namespace

Request ParseRequest(std::string_view line) {
    const std::string text(Trimmed(line));
    if (text.empty()) return {Request::Kind::Nothing};
    static const std::regex point(R"(([0-9]+)\s*(?:[-,]|\s)\s*([0-9]+))");
    std::smatch numbers;
    if (std::regex_match(text, numbers, point)) return MoveRequest(numbers[1], numbers[2]);
    struct Command {
        const char* letter;
        const char* word;
        Request::Kind kind;
    };
    static constexpr Command Commands[] = {
        {"u", "undo", Request::Kind::TakeBack}, {"h", "hint", Request::Kind::Hint},
        {"p", "pass", Request::Kind::Pass},     {"r", "resign", Request::Kind::Resign},
        {"q", "quit", Request::Kind::Quit},     {"?", "help", Request::Kind::Help},
    };
    for (const Command& command : Commands) {
        if (text == command.letter || text == command.word) return {command.kind};
    }
    return {Request::Kind::NotAMove};
}

void PlayInteractive(const InteractiveSetting& setting, const ConsoleOptions& options) {
    InteractiveGame(setting, options).Run();
}

}  // namespace nanaren
