#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis.h"
#include "command.h"
#include "core/random.h"
#include "game/position.h"
#include "players/registry.h"

namespace nanaren::gtp {

// The answer to a command and what the loop does next.
struct Answer {
    std::string text;                         // framed, ready to send
    bool quit = false;                        // the session ends
    std::optional<AnalysisRequest> analysis;  // an analysis to run until the next command
};

// A GTP session over one game: the commands, the position, the computer
// player and the generator its searches draw from. The colours alternate,
// a pass counting as a move; a move or a genmove for the side not to move
// passes for the side to move first (and an undo takes both back). Every
// rule is the position's.
class Engine {
  public:
    // The player answers genmove. Every new game's generator is seeded as a
    // game against the computer seeds it, with clock() read when the game
    // starts.
    Engine(const PlayerChoice& player, std::function<std::time_t()> clock);

    Answer Execute(const Command& command);

    // Runs an analysis on the calling thread: the player searches the
    // position (for the colour asked, which passes first if it is not to
    // move) with a copy of the game's generator, so that the game goes on as
    // if nothing had been asked; lines go to emit as they are due, and once
    // more at the end of a search that stop did not cut short.
    void Analyze(const AnalysisRequest& request, const std::atomic<bool>& stop,
                 const std::function<void(const std::string&)>& emit);

    const Position& GetPosition() const { return mPosition; }

    // The names of the commands, in the order list_commands gives them.
    static std::vector<std::string> CommandNames();

  private:
    struct Result {
        bool success;
        std::string text;
    };
    using Handler = Result (Engine::*)(const std::vector<std::string>&);
    struct Entry {
        const char* name;
        Handler handler;
    };
    static const std::vector<Entry>& Entries();

    void NewGame();
    MoveOutcome PlayAs(int color, Vertex move);
    void Record(bool inserted, std::uint32_t randomBefore);
    std::string BoardText() const;

    Result ProtocolVersion(const std::vector<std::string>& arguments);
    Result Name(const std::vector<std::string>& arguments);
    Result Version(const std::vector<std::string>& arguments);
    Result KnownCommand(const std::vector<std::string>& arguments);
    Result ListCommands(const std::vector<std::string>& arguments);
    Result Quit(const std::vector<std::string>& arguments);
    Result SetBoardSize(const std::vector<std::string>& arguments);
    Result ClearBoard(const std::vector<std::string>& arguments);
    Result Komi(const std::vector<std::string>& arguments);
    Result PlayMove(const std::vector<std::string>& arguments);
    Result GenMove(const std::vector<std::string>& arguments);
    Result Undo(const std::vector<std::string>& arguments);
    Result ShowBoard(const std::vector<std::string>& arguments);
    Result FinalScore(const std::vector<std::string>& arguments);
    Result LoadSgf(const std::vector<std::string>& arguments);
    Result PrintSgf(const std::vector<std::string>& arguments);
    Result GameId(const std::vector<std::string>& arguments);
    Result TellBoardSize(const std::vector<std::string>& arguments);
    Result LegalMoves(const std::vector<std::string>& arguments);
    Result SideToMove(const std::vector<std::string>& arguments);
    Result FinalResult(const std::vector<std::string>& arguments);
    Result RulesBoard(const std::vector<std::string>& arguments);
    Result CapturedCount(const std::vector<std::string>& arguments);
    Result Analysis(std::string_view name, const std::vector<std::string>& arguments);
    Result LzAnalyze(const std::vector<std::string>& arguments);
    Result KataAnalyze(const std::vector<std::string>& arguments);
    Result RandomState(const std::vector<std::string>& arguments);

    PlayerChoice mChoice;                      // the computer player, by name
    std::unique_ptr<Player> mPlayer;           // it, with its tree
    std::function<std::time_t()> mClock;       // read at the start of each game
    Position mPosition;                        // the game
    Random mRandom;                            // what genmove's searches draw from
    std::vector<std::uint32_t> mRandomBefore;  // by move: the generator before it
    std::vector<bool> mInserted;               // by move: a pass put in for a play out of turn
    std::array<bool, 2> mGenerated{};          // by colour: whether genmove played it
    std::optional<AnalysisRequest> mAnalysis;  // the analysis the last command asked for
};

}  // namespace nanaren::gtp
