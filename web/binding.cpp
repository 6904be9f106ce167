// The page's way into the engine: one Game at a time, driven by plain C calls
// from the Web Worker, with the search's report handed to JavaScript as it is
// made. Nothing of the game is decided here.

#include <emscripten.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include "core/check.h"
#include "play/game.h"
#include "players/levels.h"
#include "players/registry.h"

namespace {

// The worker's handlers for the search's report (worker.js); hasEstimate is 0
// when the computer has no move.
EM_JS(void, ReportProgress, (int percent), { Module["onProgress"](percent); });
EM_JS(void, ReportFinished, (int hasEstimate, int winningRate, int expectedReply),
      { Module["onFinished"](hasEstimate, winningRate, expectedReply); });

class WorkerReport : public nanaren::SearchObserver {
  public:
    void Progress(std::int64_t percent) override { ReportProgress(static_cast<int>(percent)); }
    void Finished(const std::optional<nanaren::SearchEstimate>& estimate) override {
        if (estimate) {
            ReportFinished(1, estimate->winningRate, estimate->expectedReply);
        } else {
            ReportFinished(0, 0, -1);
        }
    }
};

std::unique_ptr<nanaren::Game> CurrentGame;
// The game after its first moves, for looking back over a finished game.
nanaren::Position Reviewed;
// The text last handed to JavaScript, which reads it before the next call.
std::string Answer;

const char* Answered(std::string text) {
    Answer = std::move(text);
    return Answer.c_str();
}

// The names the worker knows the engine's states and results by.
const char* StateName(nanaren::Game::State state) {
    switch (state) {
        case nanaren::Game::State::HumanToMove:
            return "HumanToMove";
        case nanaren::Game::State::ComputerToMove:
            return "ComputerToMove";
        case nanaren::Game::State::HumanWon:
            return "HumanWon";
        default:
            return "ComputerWon";
    }
}

const char* PutResultName(nanaren::Board::PutResult result) {
    switch (result) {
        case nanaren::Board::Win:
            return "Win";
        case nanaren::Board::Success:
            return "Success";
        default:
            return "Failure";
    }
}

// The page plays the exact player and the strong player's levels.
bool IsOffered(const nanaren::PlayerChoice& choice) {
    return choice.kind == nanaren::PlayerChoice::Kind::Exact ||
           choice.kind == nanaren::PlayerChoice::Kind::Level;
}

}  // namespace

extern "C" {

// A new game against the player the engine names so ("exact:20000",
// "level:4"); clock is the seconds value the computer is seeded with, an
// integer that JavaScript holds as a double. 0, with no game, for a player
// the page does not offer.
EMSCRIPTEN_KEEPALIVE int NewGame(int human, double clock, const char* player) {
    const auto choice = nanaren::ParsePlayer(player);
    if (!choice || !IsOffered(*choice)) return 0;
    CurrentGame.reset();  // one node store at a time
    const auto seconds = static_cast<std::time_t>(static_cast<std::int64_t>(clock));
    CurrentGame = std::make_unique<nanaren::Game>(human, seconds, nanaren::MakePlayer(*choice));
    return 1;
}

// Plays a record's moves in the new game, the computer's searched again where
// its player cannot follow them otherwise; "" when they all stand, else why
// not, with the game back at its start.
EMSCRIPTEN_KEEPALIVE const char* ReplayRecord(const char* record) {
    nanaren::SearchObserver quiet;
    const auto error = CurrentGame->Replay(record, quiet);
    return Answered(error ? error->Message() : "");
}

// The person's move or, with -1, pass; the put result's name.
EMSCRIPTEN_KEEPALIVE const char* PlayHuman(int x, int y) {
    return PutResultName(CurrentGame->PlayHuman(x, y));
}

// Why the person may not play at column x and row y: "occupied", "ko",
// "suicide", "overline", "off the board", or "" where the person may.
EMSCRIPTEN_KEEPALIVE const char* RefusalAt(int x, int y) {
    const nanaren::Position& position = CurrentGame->GetPosition();
    return nanaren::RefusalName(
        position.ReasonRefused(CurrentGame->Human(), nanaren::GetVertex(x, y)));
}

// The computer's move, reported through the worker's handlers; its vertex,
// -1 for a pass.
EMSCRIPTEN_KEEPALIVE int PlayComputer() {
    WorkerReport report;
    return CurrentGame->PlayComputer(report);
}

// Takes back the person's last move and the computer's reply; 0 when there
// is nothing to take back.
EMSCRIPTEN_KEEPALIVE int TakeBack() {
    return CurrentGame->TakeBack() ? 1 : 0;
}

// The name of the game's state.
EMSCRIPTEN_KEEPALIVE const char* CurrentState() {
    return StateName(CurrentGame->CurrentState());
}

// The game's moves as the engine writes them, "5-5 4-4 pass 6-6".
EMSCRIPTEN_KEEPALIVE const char* Record() {
    return Answered(CurrentGame->GetPosition().Record());
}

// The colour code at column x and row y: 0 empty, 1 black, 2 white, 3 wall.
EMSCRIPTEN_KEEPALIVE int CellAt(int x, int y) {
    return CurrentGame->GetPosition().GetBoard().mCell.at(nanaren::GetVertex(x, y));
}

EMSCRIPTEN_KEEPALIVE int LastMove() {
    return CurrentGame->GetPosition().LastStone();
}

// The stones of the winning line, in order along it (every line in turn when
// the last stone made more than one); none while no one has won.
EMSCRIPTEN_KEEPALIVE int WinningStoneCount() {
    return static_cast<int>(CurrentGame->GetPosition().WinningStones().size());
}
EMSCRIPTEN_KEEPALIVE int WinningStoneAt(int i) {
    return CurrentGame->GetPosition().WinningStones().at(i);
}

// Sets the reviewed position to the game after its first count moves.
EMSCRIPTEN_KEEPALIVE void ReviewMoves(int count) {
    const std::vector<nanaren::Vertex>& moves = CurrentGame->GetPosition().Moves();
    Reviewed.Restart();
    for (std::size_t i = 0; i < moves.size() && static_cast<int>(i) < count; ++i) {
        Reviewed.Play(Reviewed.ToMove(), moves[i]);
    }
}
EMSCRIPTEN_KEEPALIVE int ReviewedCellAt(int x, int y) {
    return Reviewed.GetBoard().mCell.at(nanaren::GetVertex(x, y));
}
EMSCRIPTEN_KEEPALIVE int ReviewedLastMove() {
    return Reviewed.LastStone();
}

// The column and the row of a vertex the engine names.
EMSCRIPTEN_KEEPALIVE int ColumnOf(int vertex) {
    return nanaren::GetX(vertex);
}
EMSCRIPTEN_KEEPALIVE int RowOf(int vertex) {
    return nanaren::GetY(vertex);
}

// The strong player's levels, 1 to LevelCount: a word for each in English and
// in Japanese, and the share of the points it is measured to take against the
// level below (level 1: against the line-builder).
EMSCRIPTEN_KEEPALIVE int LevelCount() {
    return nanaren::LevelCount;
}
EMSCRIPTEN_KEEPALIVE const char* LevelName(int k) {
    return nanaren::LevelOf(k).name;
}
EMSCRIPTEN_KEEPALIVE const char* LevelJapaneseName(int k) {
    return nanaren::LevelOf(k).japaneseName;
}
EMSCRIPTEN_KEEPALIVE int LevelPercentAgainstBelow(int k) {
    return nanaren::LevelOf(k).percentAgainstBelow;
}

}  // extern "C"
