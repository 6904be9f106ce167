#include "engine.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/check.h"
#include "core/parse.h"
#include "game/notation.h"
#include "game/sgf.h"

namespace nanaren::gtp {

namespace {

// A GTP colour in either case, Empty for anything else.
int ParseColor(std::string word) {
    for (char& c : word)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (word == "b" || word == "black") return Black;
    if (word == "w" || word == "white") return White;
    return Empty;
}

const char* ColorName(int color) {
    return color == Black ? "black" : "white";
}

char StoneLetter(int stone) {
    return stone == Black ? 'X' : stone == White ? 'O' : '.';
}

}  // namespace

Engine::Engine(const PlayerChoice& player, std::function<std::time_t()> clock)
    : mChoice(player), mPlayer(MakePlayer(player)), mClock(std::move(clock)) {
    NewGame();
}

const std::vector<Engine::Entry>& Engine::Entries() {
    static const std::vector<Entry> entries = {
        {"protocol_version", &Engine::ProtocolVersion},
        {"name", &Engine::Name},
        {"version", &Engine::Version},
        {"known_command", &Engine::KnownCommand},
        {"list_commands", &Engine::ListCommands},
        {"quit", &Engine::Quit},
        {"boardsize", &Engine::SetBoardSize},
        {"clear_board", &Engine::ClearBoard},
        {"komi", &Engine::Komi},
        {"play", &Engine::PlayMove},
        {"genmove", &Engine::GenMove},
        {"undo", &Engine::Undo},
        {"showboard", &Engine::ShowBoard},
        {"final_score", &Engine::FinalScore},
        {"loadsgf", &Engine::LoadSgf},
        {"printsgf", &Engine::PrintSgf},
        {"gogui-rules_game_id", &Engine::GameId},
        {"gogui-rules_board_size", &Engine::TellBoardSize},
        {"gogui-rules_legal_moves", &Engine::LegalMoves},
        {"gogui-rules_side_to_move", &Engine::SideToMove},
        {"gogui-rules_final_result", &Engine::FinalResult},
        {"gogui-rules_board", &Engine::RulesBoard},
        {"gogui-rules_captured_count", &Engine::CapturedCount},
        {"lz-analyze", &Engine::LzAnalyze},
        {"kata-analyze", &Engine::KataAnalyze},
        {"nanaren-random_state", &Engine::RandomState},
    };
    return entries;
}

std::vector<std::string> Engine::CommandNames() {
    std::vector<std::string> names;
    for (const Entry& entry : Entries())
        names.emplace_back(entry.name);
    return names;
}

Answer Engine::Execute(const Command& command) {
    if (command.name.empty()) return {Framed(command, false, "no command"), false, {}};
    for (const Entry& entry : Entries()) {
        if (command.name != entry.name) continue;
        mAnalysis.reset();
        const Result result = (this->*entry.handler)(command.arguments);
        Answer answer{Framed(command, result.success, result.text), command.name == "quit",
                      result.success ? mAnalysis : std::nullopt};
        // The analysis's lines follow at once; the empty line that ends the
        // answer comes when it stops.
        if (answer.analysis) answer.text = "=" + command.id + "\n";
        return answer;
    }
    return {Framed(command, false, "unknown command"), false, {}};
}

void Engine::NewGame() {
    mPosition.Restart();
    mRandom = Random();
    mRandom.Seed(mClock());
    mRandomBefore.clear();
    mInserted.clear();
    mGenerated = {};
}

// Notes the move just played with the generator as it stood before it.
void Engine::Record(bool inserted, std::uint32_t randomBefore) {
    mInserted.push_back(inserted);
    mRandomBefore.push_back(randomBefore);
}

MoveOutcome Engine::PlayAs(int color, Vertex move) {
    if (mPosition.IsOver()) return MoveOutcome::RefusedFor(Refusal::GameOver);
    const bool insert = color != mPosition.ToMove();
    if (insert) {
        mPosition.Play(Pass);
        Record(true, mRandom.State());
    }
    const MoveOutcome outcome = mPosition.Play(move);
    if (outcome.Stands()) {
        Record(false, mRandom.State());
    } else if (insert) {
        mPosition.Undo();
        mInserted.pop_back();
        mRandomBefore.pop_back();
    }
    return outcome;
}

Engine::Result Engine::ProtocolVersion(const std::vector<std::string>&) {
    return {true, "2"};
}

Engine::Result Engine::Name(const std::vector<std::string>&) {
    return {true, "nanaren"};
}

Engine::Result Engine::Version(const std::vector<std::string>&) {
    return {true, NANAREN_VERSION};
}

Engine::Result Engine::KnownCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return {false, "known_command takes a command's name"};
    for (const Entry& entry : Entries()) {
        if (arguments[0] == entry.name) return {true, "true"};
    }
    return {true, "false"};
}

Engine::Result Engine::ListCommands(const std::vector<std::string>&) {
    std::string names;
    for (const Entry& entry : Entries()) {
        if (!names.empty()) names += '\n';
        names += entry.name;
    }
    return {true, names};
}

Engine::Result Engine::Quit(const std::vector<std::string>&) {
    return {true, ""};
}

Engine::Result Engine::SetBoardSize(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || arguments[0] != "9") return {false, "unacceptable size"};
    return {true, ""};
}

Engine::Result Engine::ClearBoard(const std::vector<std::string>&) {
    NewGame();
    return {true, ""};
}

Engine::Result Engine::Komi(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1 || !ParseFraction(arguments[0])) return {false, "syntax error"};
    return {true, ""};
}

Engine::Result Engine::PlayMove(const std::vector<std::string>& arguments) {
    const int color = arguments.size() == 2 ? ParseColor(arguments[0]) : Empty;
    const auto move = arguments.size() == 2 ? ParseGtpVertex(arguments[1]) : std::nullopt;
    if (color == Empty || !move || *move == Resign) return {false, "invalid color or coordinate"};
    const MoveOutcome outcome = PlayAs(color, *move);
    if (outcome.refusal == Refusal::GameOver) return {false, "illegal move: the game is over"};
    if (!outcome.Stands()) return {false, "illegal move"};
    return {true, ""};
}

Engine::Result Engine::GenMove(const std::vector<std::string>& arguments) {
    const int color = arguments.size() == 1 ? ParseColor(arguments[0]) : Empty;
    if (color == Empty) return {false, "invalid color"};
    if (mPosition.IsOver()) return {false, "the game is over"};
    if (color != mPosition.ToMove()) {
        mPosition.Play(Pass);
        Record(true, mRandom.State());
    }
    const std::uint32_t before = mRandom.State();
    SearchObserver quiet;
    const Vertex move = mPlayer->Think(mPosition, color, mRandom, quiet).move;
    const MoveOutcome outcome = mPosition.Play(move);
    NANAREN_ASSERT(outcome.Stands());
    Record(false, before);
    mGenerated[ColorIndex(color)] = true;
    return {true, GtpVertexText(move)};
}

// The last move, and the pass put in before it when it was played out of
// turn; the generator goes back to where it stood, so that a genmove then
// plays the same move again.
Engine::Result Engine::Undo(const std::vector<std::string>&) {
    if (mPosition.Moves().empty()) return {false, "cannot undo"};
    bool again = true;
    while (again) {
        mPosition.Undo();
        mRandom.Restore(mRandomBefore.back());
        mRandomBefore.pop_back();
        mInserted.pop_back();
        again = !mInserted.empty() && mInserted.back();
    }
    return {true, ""};
}

std::string Engine::BoardText() const {
    std::ostringstream board;
    const std::string letters = "   A B C D E F G H J\n";
    board << '\n' << letters;
    for (int y = 1; y <= BoardSize; ++y) {
        const int row = BoardSize + 1 - y;
        board << ' ' << row;
        for (int x = 1; x <= BoardSize; ++x)
            board << ' ' << StoneLetter(mPosition.StoneAt(GetVertex(x, y)));
        board << ' ' << row << '\n';
    }
    board << letters << "Black (X) has captured " << mPosition.Captures(Black) << ", White (O) "
          << mPosition.Captures(White) << "; ";
    const auto name = [](int color) { return color == Black ? "Black" : "White"; };
    if (mPosition.IsOver()) {
        board << name(mPosition.Winner()) << " has won";
    } else {
        board << name(mPosition.ToMove()) << " to move";
    }
    return board.str();
}

Engine::Result Engine::ShowBoard(const std::vector<std::string>&) {
    return {true, BoardText()};
}

// The winner; "0" for a game that two passes in a row ended without one, as
// the match tool scores it.
Engine::Result Engine::FinalScore(const std::vector<std::string>&) {
    if (mPosition.IsOver()) return {true, SgfResultOf(mPosition)};
    const std::vector<Vertex>& moves = mPosition.Moves();
    if (moves.size() >= 2 && moves.back() == Pass && moves[moves.size() - 2] == Pass)
        return {true, "0"};
    return {false, "the game is not over"};
}

// loadsgf FILE [N]: the game of the file, up to the position before its
// move N.
Engine::Result Engine::LoadSgf(const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) return {false, "loadsgf takes a file"};
    std::optional<int> before;
    if (arguments.size() == 2) {
        before = ParseInteger<int>(arguments[1]);
        if (!before || *before < 1) return {false, "the move number is not one from 1"};
    }
    std::ifstream file(arguments[0], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    if (!file) return {false, "cannot load file " + arguments[0]};
    const auto read = ReadSgf(text);
    if (const auto* error = std::get_if<SgfError>(&read))
        return {false, "cannot load file: " + error->Message()};
    const std::vector<Vertex>& moves = std::get<SgfRecord>(read).moves;
    NewGame();
    for (std::size_t i = 0; i < moves.size() && (!before || static_cast<int>(i) + 1 < *before);
         ++i) {
        mPosition.Play(moves[i]);
        Record(false, mRandom.State());
    }
    return {true, ""};
}

// printsgf [FILE]: the game as SGF, or written to the file.
Engine::Result Engine::PrintSgf(const std::vector<std::string>& arguments) {
    if (arguments.size() > 1) return {false, "printsgf takes at most a file"};
    SgfRecord record = SgfRecordOf(mPosition);
    const std::string name = "nanaren " + PlayerName(mChoice);
    record.header.black = mGenerated[0] ? name : "";
    record.header.white = mGenerated[1] ? name : "";
    record.header.date = SgfDate(std::time(nullptr));
    const std::string text = WriteSgf(record);
    if (arguments.empty()) return {true, text.substr(0, text.size() - 1)};
    std::ofstream file(arguments[0], std::ios::binary);
    file << text;
    file.close();
    if (!file) return {false, "cannot write " + arguments[0]};
    return {true, ""};
}

Engine::Result Engine::GameId(const std::vector<std::string>&) {
    return {true, "nanaren"};
}

Engine::Result Engine::TellBoardSize(const std::vector<std::string>&) {
    return {true, std::to_string(BoardSize)};
}

// Every point the side to move may play, then pass; nothing once the game is
// over.
Engine::Result Engine::LegalMoves(const std::vector<std::string>&) {
    if (mPosition.IsOver()) return {true, ""};
    std::string moves;
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x) {
            const Vertex v = GetVertex(x, y);
            if (mPosition.ReasonRefused(mPosition.ToMove(), v) == Refusal::None)
                moves += GtpVertexText(v) + ' ';
        }
    }
    return {true, moves + "pass"};
}

Engine::Result Engine::SideToMove(const std::vector<std::string>&) {
    return {true, ColorName(mPosition.ToMove())};
}

Engine::Result Engine::FinalResult(const std::vector<std::string>&) {
    if (!mPosition.IsOver()) return {true, "no result yet"};
    const std::string winner = mPosition.Winner() == Black ? "Black" : "White";
    if (mPosition.LastMove() == Resign) {
        return {true, winner + " wins: " + (mPosition.Winner() == Black ? "White" : "Black") +
                          " resigned"};
    }
    return {true, winner + " wins with a line of seven"};
}

// The rows from the top, X for Black, O for White, . for an empty point.
Engine::Result Engine::RulesBoard(const std::vector<std::string>&) {
    std::string rows;
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x) {
            rows += StoneLetter(mPosition.StoneAt(GetVertex(x, y)));
            rows += x < BoardSize ? " " : y < BoardSize ? "\n" : "";
        }
    }
    return {true, rows};
}

Engine::Result Engine::CapturedCount(const std::vector<std::string>&) {
    return {true, std::to_string(mPosition.Captures(Black)) + ' ' +
                      std::to_string(mPosition.Captures(White))};
}

Engine::Result Engine::Analysis(std::string_view name, const std::vector<std::string>& arguments) {
    auto request = ParseAnalysis(name, arguments);
    if (const auto* error = std::get_if<std::string>(&request)) return {false, *error};
    mAnalysis = std::get<AnalysisRequest>(request);
    return {true, ""};
}

Engine::Result Engine::LzAnalyze(const std::vector<std::string>& arguments) {
    return Analysis("lz-analyze", arguments);
}

Engine::Result Engine::KataAnalyze(const std::vector<std::string>& arguments) {
    return Analysis("kata-analyze", arguments);
}

// nanaren-random_state [STATE]: the generator's state, or sets it. The match
// tool's referee hands one generator from player to player with it, as its
// own games do.
Engine::Result Engine::RandomState(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return {true, std::to_string(mRandom.State())};
    const auto state =
        arguments.size() == 1 ? ParseInteger<std::uint32_t>(arguments[0]) : std::nullopt;
    if (!state || *state == 0) return {false, "a state is a whole number from 1 to 4294967295"};
    mRandom.Restore(*state);
    return {true, ""};
}

void Engine::Analyze(const AnalysisRequest& request, const std::atomic<bool>& stop,
                     const std::function<void(const std::string&)>& emit) {
    if (mPosition.IsOver()) return;
    const int color = request.color == Empty ? mPosition.ToMove() : request.color;
    const bool insert = color != mPosition.ToMove();
    if (insert) mPosition.Play(Pass);
    Random random = mRandom;
    AnalysisObserver observer(*mPlayer, request, stop, emit);
    mPlayer->Think(mPosition, color, random, observer);
    if (!stop.load()) {
        const std::string line = InfoLine(mPlayer->Candidates(PvLength), request);
        if (!line.empty()) emit(line);
    }
    if (insert) mPosition.Undo();
}

}  // namespace nanaren::gtp
