// The page's way into the engine: one Game at a time, driven by plain C calls
// from the Web Worker, answering with JSON text; the search's report goes to
// JavaScript as it is made. Nothing of the game is decided here: moves are
// written in the engine's notation ("5-3", "pass", "resign").

#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "coach/coach.h"
#include "coach/review.h"
#include "game/notation.h"
#include "game/sgf.h"
#include "play/game.h"
#include "players/levels.h"
#include "players/registry.h"
#include "review_printer.h"
#include "search/lane_threads.h"

namespace {

// The worker's handler for the search's progress (worker.js).
EM_JS(void, ReportProgress, (int percent), { Module["onProgress"](percent); });

class WorkerReport : public nanaren::SearchObserver {
  public:
    void Progress(std::int64_t percent) override { ReportProgress(static_cast<int>(percent)); }
};

std::unique_ptr<nanaren::Game> CurrentGame;
// The coach of every game, made when first needed: its store is allocated once.
std::unique_ptr<nanaren::Coach> TheCoach;
// The review under way, if any.
std::unique_ptr<nanaren::Reviewer> CurrentReview;

// A finished review and the moves it is of.
struct KeptReview {
    std::vector<nanaren::Vertex> moves;  // the game reviewed
    nanaren::GameReview review;          // what the review found
};
// The current game's last finished review, for its SGF record; none once
// another game starts.
std::optional<KeptReview> LastReview;
// The text last handed to JavaScript, which reads it before the next call.
std::string Answer;
// The threads a computer player's lanes run on, the worker's own included:
// one until the worker says how many cores there are.
int LaneThreadCount = 1;

const char* Answered(std::string text) {
    Answer = std::move(text);
    return Answer.c_str();
}

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

// Any text as a JSON string.
std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

const char* OutcomeName(nanaren::MoveOutcome::Kind kind) {
    switch (kind) {
        case nanaren::MoveOutcome::Kind::Played:
            return "played";
        case nanaren::MoveOutcome::Kind::Won:
            return "won";
        default:
            return "refused";
    }
}

const char* StateName(nanaren::Game::State state) {
    switch (state) {
        case nanaren::Game::State::PersonToMove:
            return "personToMove";
        case nanaren::Game::State::ComputerToMove:
            return "computerToMove";
        default:
            return "over";
    }
}

const char* ColourName(int color) {
    return color == nanaren::Black ? "black" : color == nanaren::White ? "white" : "none";
}

// The 81 points row by row from the top: "." empty, "b" black, "w" white.
std::string Cells(const nanaren::Position& position) {
    std::string cells;
    for (int y = 1; y <= nanaren::BoardSize; ++y) {
        for (int x = 1; x <= nanaren::BoardSize; ++x) {
            const int stone = position.StoneAt(nanaren::GetVertex(x, y));
            cells += stone == nanaren::Black ? 'b' : stone == nanaren::White ? 'w' : '.';
        }
    }
    return cells;
}

std::string MoveOrNull(nanaren::Vertex move) {
    return move == nanaren::NoVertex ? "null" : Quoted(nanaren::MoveText(move));
}

// Moves as a JSON list: ["5-5","4-4"].
std::string MoveList(const std::vector<nanaren::Vertex>& moves) {
    std::string json = "[";
    for (std::size_t i = 0; i < moves.size(); ++i)
        json += (i == 0 ? "" : ",") + Quoted(nanaren::MoveText(moves[i]));
    return json + "]";
}

const char* ReasonName(nanaren::MoveReason::Kind kind) {
    switch (kind) {
        case nanaren::MoveReason::Kind::Wins:
            return "wins";
        case nanaren::MoveReason::Kind::BlocksSeven:
            return "blocksSeven";
        case nanaren::MoveReason::Kind::BreaksLine:
            return "breaksLine";
        case nanaren::MoveReason::Kind::StartsForcedWin:
            return "startsForcedWin";
        default:
            return "stopsForcedWin";
    }
}

// A certain reason for a move, {"kind", "point": the point blocked or the
// stone captured, or null, "line": a forced win}; null for none.
std::string ReasonJson(const nanaren::MoveReason& reason) {
    if (reason.kind == nanaren::MoveReason::Kind::None) return "null";
    return "{\"kind\":" + Quoted(ReasonName(reason.kind)) +
           ",\"point\":" + MoveOrNull(reason.point) + ",\"line\":" + MoveList(reason.line) + "}";
}

nanaren::Coach& GetCoach() {
    if (!TheCoach) TheCoach = std::make_unique<nanaren::Coach>();
    return *TheCoach;
}

// A position as the page draws it.
std::string PositionJson(const nanaren::Position& position) {
    std::ostringstream json;
    json << "{\"cells\":" << Quoted(Cells(position))
         << ",\"lastMove\":" << MoveOrNull(position.LastMove())
         << ",\"moves\":" << Quoted(position.Record())
         << ",\"toMove\":" << Quoted(ColourName(position.ToMove()))
         << ",\"winner\":" << Quoted(ColourName(position.Winner()))
         << ",\"captures\":{\"black\":" << position.Captures(nanaren::Black)
         << ",\"white\":" << position.Captures(nanaren::White) << "},\"winningStones\":[";
    const auto& stones = position.WinningStones();
    for (std::size_t i = 0; i < stones.size(); ++i)
        json << (i == 0 ? "" : ",") << Quoted(nanaren::MoveText(stones[i]));
    json << "]}";
    return json.str();
}

// The page's name for what is wrong with a record's move: "notAMove",
// "afterTheEnd", a refusal's name, or "computer" where the computer plays
// otherwise (or does not resign).
std::string ErrorKind(const nanaren::RecordError& error) {
    switch (error.kind) {
        case nanaren::RecordError::Kind::NotAMove:
            return "notAMove";
        case nanaren::RecordError::Kind::AfterTheEnd:
            return "afterTheEnd";
        case nanaren::RecordError::Kind::Refused:
            return nanaren::RefusalName(error.refusal);
        default:
            return "computer";
    }
}

std::string SideJson(const nanaren::SideReview& side) {
    std::ostringstream json;
    json << "{\"accuracy\":" << side.accuracy << ",\"counts\":{";
    const char* comma = "";
    for (int k = 1; k < nanaren::MoveClassCount; ++k) {
        json << comma << Quoted(nanaren::MoveClassName(static_cast<nanaren::MoveClass>(k))) << ':'
             << side.counts[k];
        comma = ",";
    }
    json << "}}";
    return json.str();
}

std::string MoveReviewJson(const nanaren::MoveReview& move) {
    std::ostringstream json;
    json << "{\"move\":" << Quoted(nanaren::MoveText(move.move))
         << ",\"mover\":" << Quoted(ColourName(move.mover)) << ",\"winBefore\":" << move.winBefore
         << ",\"winAfter\":" << move.winAfter
         << ",\"best\":" << Quoted(nanaren::MoveText(move.best))
         << ",\"bestWinRate\":" << move.bestWinRate << ",\"bestLine\":" << MoveList(move.bestLine)
         << ",\"class\":" << Quoted(nanaren::MoveClassName(move.kind))
         << ",\"threat\":" << MoveList(move.threat) << '}';
    return json.str();
}

}  // namespace

extern "C" {

// The computer players made from now on run their lanes on up to cores
// threads: at most the worker's own and the threads the build starts with
// the module (none without WebAssembly threads), since a thread started
// later would wait for the worker's event loop, which a search holds. The
// threads used, which change no move.
EMSCRIPTEN_KEEPALIVE int UseThreads(int cores) {
    const int most = nanaren::ThreadsAvailable ? NANAREN_THREAD_POOL + 1 : 1;
    LaneThreadCount = std::clamp(cores, 1, most);
    return LaneThreadCount;
}

// A new game against the player the engine names so ("exact:20000",
// "level:4"), or between two people ("human"); clock is the seconds value
// the computer is seeded with, an integer that JavaScript holds as a double.
// 0, with no game, for a player the page does not offer.
EMSCRIPTEN_KEEPALIVE int NewGame(int human, double clock, const char* player) {
    const std::string name = player;
    std::unique_ptr<nanaren::Player> computer;
    if (name != "human") {
        const auto choice = nanaren::ParsePlayer(name);
        const bool offered = choice && (std::holds_alternative<nanaren::ExactSettings>(*choice) ||
                                        std::holds_alternative<nanaren::LevelChoice>(*choice));
        if (!offered) return 0;
        CurrentGame.reset();  // one node store at a time
        computer = nanaren::MakePlayer(*choice, LaneThreadCount);
    }
    const auto seconds = static_cast<std::time_t>(static_cast<std::int64_t>(clock));
    CurrentGame = std::make_unique<nanaren::Game>(human, seconds, std::move(computer));
    LastReview.reset();
    return 1;
}

// Plays a record's moves in the new game: its first setUp moves as given
// (a game played on from a position of another), the rest with the
// computer's searched again where its player cannot follow them otherwise.
// null when they all stand, else {"token": which move from 1, "text": it as
// written, "kind": see ErrorKind, "reason": the engine's words}.
EMSCRIPTEN_KEEPALIVE const char* ReplayRecord(const char* record, int setUp) {
    std::istringstream tokens(record);
    std::string given;
    std::string token;
    for (int i = 0; i < setUp && tokens >> token; ++i)
        given += token + ' ';
    nanaren::SearchObserver quiet;
    auto error = CurrentGame->SetUp(given);
    if (!error) error = CurrentGame->Replay(record, quiet);
    if (!error) return Answered("null");
    return Answered("{\"token\":" + std::to_string(error->token) + ",\"text\":" +
                    JsonString(error->text) + ",\"kind\":" + Quoted(ErrorKind(*error)) +
                    ",\"reason\":" + JsonString(error->Message()) + "}");
}

// A person's move ("5-3", "pass", "resign"): {"outcome": "played", "won" or
// "refused", "refusal": the reason's name or ""}.
EMSCRIPTEN_KEEPALIVE const char* Play(const char* move) {
    const auto vertex = nanaren::ParseMove(move);
    const nanaren::MoveOutcome outcome =
        vertex ? CurrentGame->Play(*vertex)
               : nanaren::MoveOutcome::RefusedFor(nanaren::Refusal::OffBoard);
    return Answered("{\"outcome\":" + Quoted(OutcomeName(outcome.kind)) +
                    ",\"refusal\":" + Quoted(nanaren::RefusalName(outcome.refusal)) + "}");
}

// The computer's move, its progress reported through the worker's handler:
// {"move": "5-3" or "pass", "estimate": {"winningRate": percent,
// "expectedReply": a move or null} or null}.
EMSCRIPTEN_KEEPALIVE const char* PlayComputer() {
    WorkerReport report;
    const nanaren::SearchResult result = CurrentGame->PlayComputer(report);
    std::ostringstream json;
    json << "{\"move\":" << Quoted(nanaren::MoveText(result.move)) << ",\"estimate\":";
    if (result.estimate) {
        json << "{\"winningRate\":" << result.estimate->winningRate
             << ",\"expectedReply\":" << MoveOrNull(result.estimate->expectedReply) << '}';
    } else {
        json << "null";
    }
    json << '}';
    return Answered(json.str());
}

// Takes back the person's last move and the computer's reply; 0 when there
// is nothing to take back.
EMSCRIPTEN_KEEPALIVE int TakeBack() {
    return CurrentGame->TakeBack() ? 1 : 0;
}

// The game as it stands: its position, {"state": "personToMove",
// "computerToMove" or "over", "canTakeBack": true or false}.
EMSCRIPTEN_KEEPALIVE const char* GameState() {
    const std::string position = PositionJson(CurrentGame->GetPosition());
    return Answered("{\"state\":" + Quoted(StateName(CurrentGame->CurrentState())) +
                    ",\"canTakeBack\":" + (CurrentGame->CanTakeBack() ? "true" : "false") +
                    ",\"position\":" + position + "}");
}

// The game after its first count moves, as GameState's position.
EMSCRIPTEN_KEEPALIVE const char* ReviewedPosition(int count) {
    nanaren::Position reviewed;
    const auto& moves = CurrentGame->GetPosition().Moves();
    for (std::size_t i = 0; i < moves.size() && static_cast<int>(i) < count; ++i)
        reviewed.Play(moves[i]);
    return Answered(PositionJson(reviewed));
}

// The coach's move for the side to move, found at the hint level:
// {"move", "reason": see ReasonJson, "winRate": the side's chances with it
// in percent, "line": the moves that follow it}.
EMSCRIPTEN_KEEPALIVE const char* Hint() {
    nanaren::SearchObserver quiet;
    const nanaren::Coach::Hint hint = GetCoach().Suggest(CurrentGame->GetPosition(), quiet);
    std::ostringstream json;
    json << "{\"move\":" << Quoted(nanaren::MoveText(hint.move))
         << ",\"reason\":" << ReasonJson(hint.reason) << ",\"winRate\":" << 100.0 * hint.winRate
         << ",\"line\":" << MoveList(hint.line) << '}';
    return Answered(json.str());
}

// Why the game's last move was played, where that is certain: see
// ReasonJson.
EMSCRIPTEN_KEEPALIVE const char* LastMoveReason() {
    return Answered(ReasonJson(GetCoach().ExplainLast(CurrentGame->GetPosition())));
}

// What the person's move would do that is certain, before it is played:
// {"class": a review's class name ("allowed-win", ...), "threat": the win
// it lets go or allows}; null when nothing is certain or the move would not
// stand.
EMSCRIPTEN_KEEPALIVE const char* CheckMove(const char* move) {
    const std::string moves = CurrentGame->GetPosition().Record();
    nanaren::Position after;
    if (after.ReadRecord(moves + (moves.empty() ? "" : " ") + move)) return Answered("null");
    const nanaren::Coach::Warning warning = GetCoach().CheckLast(after);
    if (warning.kind == nanaren::MoveClass::None) return Answered("null");
    return Answered("{\"class\":" + Quoted(nanaren::MoveClassName(warning.kind)) +
                    ",\"threat\":" + MoveList(warning.threat) + "}");
}

// A review of the game's moves at the default review level, made to go one
// position at a time: the positions it will analyse.
EMSCRIPTEN_KEEPALIVE int StartReview() {
    CurrentReview.reset();  // one store at a time
    const auto settings = nanaren::AnalysisSettings(nanaren::DefaultReviewLevel);
    CurrentReview =
        std::make_unique<nanaren::Reviewer>(CurrentGame->GetPosition().Moves(), settings);
    return CurrentReview->Total();
}

// Analyses the review's next position: the positions done.
EMSCRIPTEN_KEEPALIVE int ReviewStep() {
    CurrentReview->Step();
    return CurrentReview->Done();
}

// Ends the review under way; its store is freed.
EMSCRIPTEN_KEEPALIVE void StopReview() {
    CurrentReview.reset();
}

// The finished review, its store freed and its findings kept for the game's
// SGF record: {"moves": [{"move", "mover", the mover's chances (0 to 1)
// "winBefore" and "winAfter", "best", "bestWinRate", "bestLine", "class" (a
// class's name or ""), "threat"}], "sides": {"black", "white": {"accuracy"
// (0 to 100), "counts": by class}}}.
EMSCRIPTEN_KEEPALIVE const char* ReviewResult() {
    LastReview = KeptReview{CurrentGame->GetPosition().Moves(), CurrentReview->Result()};
    CurrentReview.reset();
    const nanaren::GameReview& review = LastReview->review;
    std::string json = "{\"moves\":[";
    for (std::size_t i = 0; i < review.moves.size(); ++i)
        json += (i == 0 ? "" : ",") + MoveReviewJson(review.moves[i]);
    json +=
        "],\"sides\":{\"black\":" + SideJson(review.sides[nanaren::ColorIndex(nanaren::Black)]) +
        ",\"white\":" + SideJson(review.sides[nanaren::ColorIndex(nanaren::White)]) + "}}";
    return Answered(json);
}

// The game as an SGF record (a .sgf file), with the players' names and the
// date ("2024-05-01") the page gives. Once the game has been reviewed, each
// move carries what the review found, as the console's review writes it, in
// language ("ja" or "en").
EMSCRIPTEN_KEEPALIVE const char* SgfOfGame(const char* black, const char* white, const char* date,
                                           const char* language) {
    const nanaren::Position& game = CurrentGame->GetPosition();
    const auto words =
        std::string(language) == "ja" ? nanaren::Language::Japanese : nanaren::Language::English;
    nanaren::SgfRecord record = LastReview && LastReview->moves == game.Moves()
                                    ? nanaren::ReviewSgfRecord(game.Moves(), LastReview->review,
                                                               nanaren::DefaultReviewLevel, words)
                                    : nanaren::SgfRecordOf(game);
    record.header.black = black;
    record.header.white = white;
    record.header.date = date;
    return Answered(nanaren::WriteSgf(record));
}

// An SGF record read as the engine's: {"record": "5-5 4-4", "black": PB,
// "white": PW, "date": DT, "result": RE, "error": null}, or {"error":
// {"line", "column" (in bytes), "reason"}} for a file that is not this
// game's or whose moves cannot be played. The record replays with
// ReplayRecord, or shows move by move.
EMSCRIPTEN_KEEPALIVE const char* RecordOfSgf(const char* sgf) {
    const auto read = nanaren::ReadSgf(sgf);
    if (const auto* error = std::get_if<nanaren::SgfError>(&read)) {
        return Answered("{\"error\":{\"line\":" + std::to_string(error->line) +
                        ",\"column\":" + std::to_string(error->column) +
                        ",\"reason\":" + JsonString(error->reason) + "}}");
    }
    const nanaren::SgfRecord& record = std::get<nanaren::SgfRecord>(read);
    std::string moves;
    for (const nanaren::Vertex move : record.moves)
        moves += (moves.empty() ? "" : " ") + nanaren::MoveText(move);
    return Answered("{\"record\":" + Quoted(moves) +
                    ",\"black\":" + JsonString(record.header.black) +
                    ",\"white\":" + JsonString(record.header.white) +
                    ",\"date\":" + JsonString(record.header.date) +
                    ",\"result\":" + JsonString(record.header.result) + ",\"error\":null}");
}

// The strong player's levels, 1 to LevelCount.
EMSCRIPTEN_KEEPALIVE int LevelCount() {
    return nanaren::LevelCount;
}

}  // extern "C"
