// The page's way into the engine: one Game at a time, driven by plain C calls
// from the Web Worker, with the search's report handed to JavaScript as it is
// made. Nothing of the game is decided here.

#include <emscripten.h>

#include <cstdint>
#include <ctime>
#include <memory>

#include "game.h"

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

}  // namespace

extern "C" {

// A new game; clock is the seconds value the computer is seeded with, an
// integer that JavaScript holds as a double.
EMSCRIPTEN_KEEPALIVE void NewGame(int human, double clock, int playouts) {
    CurrentGame.reset();  // one node store at a time
    const auto seconds = static_cast<std::time_t>(static_cast<std::int64_t>(clock));
    CurrentGame = std::make_unique<nanaren::Game>(human, seconds, playouts);
}

// The person's move or, with -1, pass; the put result.
EMSCRIPTEN_KEEPALIVE int PlayHuman(int x, int y) {
    return CurrentGame->PlayHuman(x, y);
}

// The computer's move, reported through the worker's handlers; its vertex,
// -1 for a pass.
EMSCRIPTEN_KEEPALIVE int PlayComputer() {
    WorkerReport report;
    return CurrentGame->PlayComputer(report);
}

// Game::State as its number: 0 the person to move, 1 the computer, 2 the
// person has won, 3 the computer.
EMSCRIPTEN_KEEPALIVE int CurrentState() {
    return static_cast<int>(CurrentGame->CurrentState());
}

// The colour code at column x and row y: 0 empty, 1 black, 2 white, 3 wall.
EMSCRIPTEN_KEEPALIVE int CellAt(int x, int y) {
    return CurrentGame->Position().mCell.at(nanaren::GetVertex(x, y));
}

// The column and the row of a vertex the engine names.
EMSCRIPTEN_KEEPALIVE int ColumnOf(int vertex) {
    return nanaren::GetX(vertex);
}
EMSCRIPTEN_KEEPALIVE int RowOf(int vertex) {
    return nanaren::GetY(vertex);
}

EMSCRIPTEN_KEEPALIVE int LastMove() {
    return CurrentGame->LastMove();
}

}  // extern "C"
