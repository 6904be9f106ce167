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
#include "play/self_play.h"

namespace nanaren::match {

namespace {

// A game's record as one line of numbers: the winner, each side's thinking
// time, then the moves.
std::string Serialize(const GameRecord& record) {
    std::ostringstream line;
    line.precision(17);
    line << record.winner;
    for (const ThinkingTime& time : record.time)
        line << ' ' << time.seconds << ' ' << time.longest << ' ' << time.moves;
    for (const Vertex v : record.moves)
        line << ' ' << v;
    return line.str();
}

// The record of a line that Serialize made and nothing else.
std::optional<GameRecord> Parse(const std::string& text, GameRecord record) {
    std::istringstream line(text);
    if (!(line >> record.winner)) return std::nullopt;
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
        records[worker.game.match][index] = record;
    } else {
        std::cerr << "nanaren-match: " << PlayerName(settings.players[0]) << " against "
                  << PlayerName(settings.players[1]) << ", game " << index << " (clock "
                  << blank.setup.clock << ") " << DescribeEnd(status, record.has_value())
                  << std::endl;
    }
    workers.erase(fd);
    return true;
}

}  // namespace

GameSetup SetupOf(const MatchSettings& settings, int index) {
    return {settings.firstClock + index, index % 2};
}

GameRecord PlayOne(const MatchSettings& settings, int index) {
    const GameSetup setup = SetupOf(settings, index);
    const int black = setup.blackSide;
    SelfPlay play({MakePlayer(settings.players[black], settings.threads),
                   MakePlayer(settings.players[1 - black], settings.threads)},
                  setup.clock);
    SearchObserver quiet;
    std::array<ThinkingTime, 2> time{};
    while (!play.IsOver()) {
        ThinkingTime& mover = time[play.ToMove() == Black ? black : 1 - black];
        const auto start = std::chrono::steady_clock::now();
        play.PlayMove(quiet);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        mover.seconds += took.count();
        mover.longest = std::max(mover.longest, took.count());
        ++mover.moves;
    }
    return {index, setup, play.Winner(), play.Moves(), time};
}

int PassesOf(const GameRecord& game) {
    return static_cast<int>(std::count(game.moves.begin(), game.moves.end(), Pass));
}

std::vector<PlayedMatch> PlayMatches(const std::vector<MatchSettings>& matches, int jobs,
                                     const std::function<void(int)>& done, const GamePlayer& play) {
    std::vector<GameTask> games;  // every game of every match, in the order they start
    std::vector<std::vector<std::optional<GameRecord>>> records;
    for (int match = 0; match < static_cast<int>(matches.size()); ++match) {
        records.emplace_back(matches[match].games);
        for (int index = 0; index < matches[match].games; ++index)
            games.push_back({match, index});
    }
    std::map<int, Worker> workers;  // by the reading end of each one's pipe
    std::size_t next = 0;
    int finished = 0;
    while (finished < static_cast<int>(games.size())) {
        while (next < games.size() && static_cast<int>(workers.size()) < jobs) {
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
            if (ReadWorker(p.fd, matches, workers, records)) done(++finished);
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
                                  const std::function<void(int)>& done, const GamePlayer& play) {
    return std::move(PlayMatches({settings}, jobs, done, play).front().games);
}

std::vector<MatchSettings> RoundRobin(const std::vector<PlayerChoice>& players, int games,
                                      std::time_t firstClock) {
    std::vector<MatchSettings> matches;
    for (std::size_t first = 0; first < players.size(); ++first) {
        for (std::size_t second = first + 1; second < players.size(); ++second)
            matches.push_back({{players[first], players[second]}, games, firstClock});
    }
    return matches;
}

std::optional<std::vector<PlayerChoice>> ParsePlayerList(std::string_view text) {
    std::vector<PlayerChoice> players;
    std::set<std::string> names;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const auto choice = ParsePlayer(text.substr(at, comma - at));
        if (!choice || !names.insert(PlayerName(*choice)).second) return std::nullopt;
        players.push_back(*choice);
        at = comma + 1;
    }
    if (players.size() < 2) return std::nullopt;
    return players;
}

}  // namespace nanaren::match
