// The page's way into the engine: one Game at a time, driven by plain C calls
// from the Web Worker, with the search's report handed to JavaScript as it is
// made. Nothing of the game is decided here.

#include <emscripten.h>

#include <cstdint>
#include <ctime>
#include <memory>

#include "game.h"
#include "uct.h"

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

}  // namespace

extern "C" {

// A new game; clock is the seconds value the computer is seeded with, an
// integer that JavaScript holds as a double.
EMSCRIPTEN_KEEPALIVE void NewGame(int human, double clock, int playouts) {
    CurrentGame.reset();  // one node store at a time
    const auto seconds = static_cast<std::time_t>(static_cast<std::int64_t>(clock));
    CurrentGame = std::make_unique<nanaren::Game>(
        human, seconds, std::make_unique<nanaren::Uct>(nanaren::PlayerSettings{playouts}));
}

// The person's move or, with -1, pass; the put result's name.
EMSCRIPTEN_KEEPALIVE const char* PlayHuman(int x, int y) {
    return PutResultName(CurrentGame->PlayHuman(x, y));
}

// The computer's move, reported through the worker's handlers; its vertex,
// -1 for a pass.
EMSCRIPTEN_KEEPALIVE int PlayComputer() {
    WorkerReport report;
    return CurrentGame->PlayComputer(report);
}

// The name of the game's state.
EMSCRIPTEN_KEEPALIVE const char* CurrentState() {
    return StateName(CurrentGame->CurrentState());
}

// The colour code at column x and row y: 0 empty, 1 black, 2 white, 3 wall.
EMSCRIPTEN_KEEPALIVE int CellAt(int x, int y) {
    return CurrentGame->GetPosition().GetBoard().mCell.at(nanaren::GetVertex(x, y));
}

// The column and the row of a vertex the engine names.
EMSCRIPTEN_KEEPALIVE int ColumnOf(int vertex) {
    return nanaren::GetX(vertex);
}
EMSCRIPTEN_KEEPALIVE int RowOf(int vertex) {
    return nanaren::GetY(vertex);
}

EMSCRIPTEN_KEEPALIVE int LastMove() {
    return CurrentGame->GetPosition().LastStone();
}

}  // extern "C"
