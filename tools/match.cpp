#include "match.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "game/notation.h"
#include "gtp_player.h"
#include "play/opening.h"
#include "play/self_play.h"

namespace nanaren::match {

namespace {

// A game's record as one line of numbers: the winner, the termination, the
// opening's plies, each side's thinking time, then the moves.
std::string Serialize(const GameRecord& record) {
    std::ostringstream line;
    line.precision(17);
    line << record.winner << ' ' << static_cast<int>(record.termination) << ' '
         << record.openingPlies;
    for (const ThinkingTime& time : record.time)
        line << ' ' << time.seconds << ' ' << time.longest << ' ' << time.moves;
    for (const Vertex v : record.moves)
        line << ' ' << v;
    return line.str();
}

// The record of a line that Serialize made and nothing else.
std::optional<GameRecord> Parse(const std::string& text, GameRecord record) {
    std::istringstream line(text);
    int termination = 0;
    if (!(line >> record.winner >> termination >> record.openingPlies)) return std::nullopt;
    record.termination = static_cast<Termination>(termination);
    for (ThinkingTime& time : record.time) {
        if (!(line >> time.seconds >> time.longest >> time.moves)) return std::nullopt;
    }
    for (Vertex v = 0; line >> v;)
        record.moves.push_back(v);
    if (!line.eof()) return std::nullopt;
    return record;
}

// A game of one of the matches being played.
struct GameTask {
    int match;  // the match's place in the list
    int index;  // the game's number in its match
};

// A game being played in a child process.
struct Worker {
    GameTask game;       // the game it plays
    pid_t pid;           // its process
    std::string output;  // what it has written so far
};

bool WriteAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The child's whole life: it plays the game, writes its line and ends,
// never returning into the caller's code, not even by an exception.
[[noreturn]] void PlayInChild(const MatchSettings& settings, int index, const GamePlayer& play,
                              int fd) {
    bool written = false;
    try {
        written = WriteAll(fd, Serialize(play(settings, index)));
    } catch (const std::exception& e) {
        std::cerr << "nanaren-match: game " << index << ": " << e.what() << std::endl;
    }
    close(fd);
    _exit(written ? 0 : 1);
}

// Forks a process that plays the game and writes its line to a pipe, whose
// reading end keys the worker.
void StartGame(const MatchSettings& settings, GameTask game, const GamePlayer& play,
               std::map<int, Worker>& workers) {
    int fds[2];
    if (pipe(fds) != 0) {
        std::perror("nanaren-match: pipe");
        std::exit(EXIT_FAILURE);
    }
    std::cout.flush();
    std::cerr.flush();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("nanaren-match: fork");
        std::exit(EXIT_FAILURE);
    }
    if (pid == 0) {
        close(fds[0]);
        PlayInChild(settings, game.index, play, fds[1]);
    }
    close(fds[1]);
    workers[fds[0]] = Worker{game, pid, {}};
}

std::string DescribeEnd(int status, bool parsed) {
    if (WIFSIGNALED(status)) return "ended by signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) == 0 && !parsed) return "wrote no complete record";
    return "exited with status " + std::to_string(WEXITSTATUS(status));
}

// Reads what the worker on fd has written; at the end of its output the
// worker is reaped and its record, if it ended cleanly, is stored.
bool ReadWorker(int fd, const std::vector<MatchSettings>& matches, std::map<int, Worker>& workers,
                std::vector<std::vector<std::optional<GameRecord>>>& records) {
    Worker& worker = workers.at(fd);
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) return false;
    if (n > 0) {
        worker.output.append(buffer, static_cast<std::size_t>(n));
        return false;
    }
    close(fd);
    int status = 0;
    waitpid(worker.pid, &status, 0);
    const MatchSettings& settings = matches[worker.game.match];
    const int index = worker.game.index;
    const GameRecord blank{index, SetupOf(settings, index), Empty, {}};
    const std::optional<GameRecord> record = Parse(worker.output, blank);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && record) {
        records[worker.game.match][index - settings.firstGame] = record;
    } else {
        std::cerr << "nanaren-match: " << NameOf(settings.players[0]) << " against "
                  << NameOf(settings.players[1]) << ", game " << index << " (clock "
                  << blank.setup.clock << ") " << DescribeEnd(status, record.has_value())
                  << std::endl;
    }
    workers.erase(fd);
    return true;
}

std::unique_ptr<Player> MakeMatchPlayer(const MatchPlayer& player, double moveTimeout,
                                        int threads) {
    if (const auto* gtp = std::get_if<GtpCommand>(&player))
        return std::make_unique<GtpPlayer>(gtp->command, moveTimeout);
    return MakePlayer(std::get<PlayerChoice>(player), threads);
}

constexpr std::array<const char*, 5> TerminationNames = {"normal", "illegal move", "crash",
                                                         "timeout", "malformed answer"};

}  // namespace

std::optional<MatchPlayer> ParseMatchPlayer(std::string_view text) {
    if (text.substr(0, 4) == "gtp:") {
        if (text.size() == 4) return std::nullopt;
        return GtpCommand{std::string(text.substr(4))};
    }
    const auto choice = ParsePlayer(text);
    if (!choice) return std::nullopt;
    return *choice;
}

std::string NameOf(const MatchPlayer& player) {
    if (const auto* gtp = std::get_if<GtpCommand>(&player)) return "gtp:" + gtp->command;
    return PlayerName(std::get<PlayerChoice>(player));
}

const char* TerminationName(Termination termination) {
    return TerminationNames[static_cast<int>(termination)];
}

std::optional<Termination> ParseTermination(std::string_view text) {
    for (std::size_t i = 0; i < TerminationNames.size(); ++i) {
        if (text == TerminationNames[i]) return static_cast<Termination>(i);
    }
    return std::nullopt;
}

std::vector<Vertex> OpeningOf(const MatchSettings& settings, int index) {
    const int pair = index / 2;
    const Openings& openings = settings.openings;
    if (openings.randomPlies > 0)
        return RandomOpening(SetupOf(settings, 2 * pair).clock, openings.randomPlies);
    if (openings.book.empty()) return {};
    return openings.book[static_cast<std::size_t>(pair) % openings.book.size()];
}

GameSetup SetupOf(const MatchSettings& settings, int index) {
    return {settings.firstClock + index, index % 2};
}

// An external engine's fault loses it the game: the side to move made it.
GameRecord PlayOne(const MatchSettings& settings, int index) {
    const GameSetup setup = SetupOf(settings, index);
    const int black = setup.blackSide;
    const std::vector<Vertex> opening = OpeningOf(settings, index);
    SelfPlay play({MakeMatchPlayer(settings.players[black], settings.moveTimeout, settings.threads),
                   MakeMatchPlayer(settings.players[1 - black], settings.moveTimeout, settings.threads)},
                  setup.clock, opening);
    SearchObserver quiet;
    GameRecord record{
        index, setup, Empty, {}, {}, Termination::Normal, static_cast<int>(opening.size())};
    try {
        while (!play.IsOver()) {
            ThinkingTime& mover = record.time[play.ToMove() == Black ? black : 1 - black];
            const auto start = std::chrono::steady_clock::now();
            play.PlayMove(quiet);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            mover.seconds += took.count();
            mover.longest = std::max(mover.longest, took.count());
            ++mover.moves;
        }
        record.winner = play.Winner();
    } catch (const Forfeit& forfeit) {
        const int faulty = play.ToMove() == Black ? black : 1 - black;
        std::cerr << "nanaren-match: game " << index << ", " << NameOf(settings.players[faulty])
                  << ": " << forfeit.what() << std::endl;
        record.winner = Opposite(play.ToMove());
        record.termination = forfeit.termination;
    }
    record.moves = play.Moves();
    return record;
}

int PassesOf(const GameRecord& game) {
    return static_cast<int>(std::count(game.moves.begin(), game.moves.end(), Pass));
}

std::vector<PlayedMatch> PlayMatches(const std::vector<MatchSettings>& matches, int jobs,
                                     const std::function<void(int)>& done, const GamePlayer& play,
                                     const GameDone& keepGoing) {
    std::vector<GameTask> games;  // every game of every match, in the order they start
    std::vector<std::vector<std::optional<GameRecord>>> records;
    for (int match = 0; match < static_cast<int>(matches.size()); ++match) {
        const MatchSettings& settings = matches[match];
        records.emplace_back(settings.games);
        for (int index = settings.firstGame; index < settings.firstGame + settings.games; ++index)
            games.push_back({match, index});
    }
    std::map<int, Worker> workers;  // by the reading end of each one's pipe
    std::size_t next = 0;
    int finished = 0;
    bool starting = true;
    while (!workers.empty() || (starting && next < games.size())) {
        while (starting && next < games.size() && static_cast<int>(workers.size()) < jobs) {
            const GameTask game = games[next++];
            StartGame(matches[game.match], game, play, workers);
        }
        std::vector<pollfd> waiting;
        for (const auto& entry : workers)
            waiting.push_back({entry.first, POLLIN, 0});
        if (poll(waiting.data(), waiting.size(), -1) < 0) {
            if (errno == EINTR) continue;
            std::perror("nanaren-match: poll");
            std::exit(EXIT_FAILURE);
        }
        for (const pollfd& p : waiting) {
            if (p.revents == 0) continue;
            const GameTask game = workers.at(p.fd).game;
            if (!ReadWorker(p.fd, matches, workers, records)) continue;
            done(++finished);
            const auto& record = records[game.match][game.index - matches[game.match].firstGame];
            if (record && keepGoing && !keepGoing(*record)) starting = false;
        }
    }
    std::vector<PlayedMatch> played;
    for (std::size_t match = 0; match < matches.size(); ++match) {
        played.push_back({matches[match], {}});
        for (auto& record : records[match]) {
            if (record) played.back().games.push_back(std::move(*record));
        }
    }
    return played;
}

std::vector<GameRecord> PlayMatch(const MatchSettings& settings, int jobs,
                                  const std::function<void(int)>& done, const GamePlayer& play,
                                  const GameDone& keepGoing) {
    return std::move(PlayMatches({settings}, jobs, done, play, keepGoing).front().games);
}

std::vector<MatchSettings> RoundRobin(const std::vector<MatchPlayer>& players, int games,
                                      std::time_t firstClock) {
    std::vector<MatchSettings> matches;
    for (std::size_t first = 0; first < players.size(); ++first) {
        for (std::size_t second = first + 1; second < players.size(); ++second)
            matches.push_back({{players[first], players[second]}, games, firstClock});
    }
    return matches;
}

std::optional<std::vector<MatchPlayer>> ParsePlayerList(std::string_view text) {
    std::vector<MatchPlayer> players;
    std::set<std::string> names;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const auto choice = ParseMatchPlayer(text.substr(at, comma - at));
        if (!choice || !names.insert(NameOf(*choice)).second) return std::nullopt;
        players.push_back(*choice);
        at = comma + 1;
    }
    if (players.size() < 2) return std::nullopt;
    return players;
}

}  // namespace nanaren::match
