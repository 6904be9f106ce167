#pragma once

#include <sys/types.h>

#include <cstddef>
#include <stdexcept>
#include <string>

#include "match.h"
#include "players/player.h"

namespace nanaren::match {

// An external engine's fault, which loses it the game.
class Forfeit : public std::runtime_error {
  public:
    Forfeit(Termination why, const std::string& what)
        : std::runtime_error(what), termination(why) {}
    Termination termination;  // the fault's kind
};

// An external program that speaks GTP, as a player of the match tool's
// games. It is started by the shell in a process group of its own, and
// told the board size and every move before it is asked for its own; each
// move it answers is checked by the rules before it is played. A crash, an
// answer that is late, malformed or an error, or an illegal move throws a
// Forfeit. An engine that knows nanaren-random_state is handed the game's
// generator before each of its moves and hands it back after, so that it
// plays as the same player built in would.
class GtpPlayer : public Player {
  public:
    // moveTimeout: the seconds it has for an answer, 0 for no limit.
    GtpPlayer(std::string command, double moveTimeout);
    ~GtpPlayer() override;
    GtpPlayer(const GtpPlayer&) = delete;
    GtpPlayer& operator=(const GtpPlayer&) = delete;

    SearchResult Think(const Position& position, int color, Random& random,
                       SearchObserver& observer) override;

  private:
    void Start();
    void Stop();
    void Send(const std::string& line);
    std::string ReadLine();
    // The answer's text after "= "; a "?" answer is a fault.
    std::string Ask(const std::string& command);
    void TellMoves(const Position& position);
    Vertex AskMove(const Position& position, int color);

    std::string mCommand;           // the shell command that starts it
    double mMoveTimeout;            // seconds per answer, 0 for no limit
    pid_t mPid = -1;                // its process and process group, -1 before it starts
    int mToEngine = -1;             // the pipe to its standard input
    int mFromEngine = -1;           // the pipe from its standard output
    std::string mPending;           // what it has written past the last line read
    std::size_t mMovesTold = 0;     // the game's moves it knows
    bool mSharesGenerator = false;  // it knows nanaren-random_state
};

}  // namespace nanaren::match
