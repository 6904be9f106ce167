#include "gtp_player.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <sstream>
#include <thread>

#include "core/parse.h"
#include "core/random.h"
#include "game/notation.h"
#include "game/position.h"

namespace nanaren::match {

namespace {

// An answer longer than this is no answer.
constexpr std::size_t MaxAnswerLength = 1 << 20;

// How long a stopped engine has to end after quit before it is killed.
constexpr auto QuitGrace = std::chrono::milliseconds(1000);

const char* ColorLetter(int color) {
    return color == Black ? "b" : "w";
}

}  // namespace

GtpPlayer::GtpPlayer(std::string command, double moveTimeout)
    : mCommand(std::move(command)), mMoveTimeout(moveTimeout) {
    // A write to an engine that has died fails rather than ending the game's
    // process, so that the crash is named.
    signal(SIGPIPE, SIG_IGN);
}

GtpPlayer::~GtpPlayer() {
    Stop();
}

void GtpPlayer::Start() {
    int toEngine[2];
    int fromEngine[2];
    if (pipe(toEngine) != 0 || pipe(fromEngine) != 0)
        throw Forfeit(Termination::Crash, "cannot make a pipe to " + mCommand);
    const pid_t pid = fork();
    if (pid < 0) throw Forfeit(Termination::Crash, "cannot start " + mCommand);
    if (pid == 0) {
        setpgid(0, 0);
        dup2(toEngine[0], STDIN_FILENO);
        dup2(fromEngine[1], STDOUT_FILENO);
        for (const int fd : {toEngine[0], toEngine[1], fromEngine[0], fromEngine[1]})
            close(fd);
        execl("/bin/sh", "sh", "-c", mCommand.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    setpgid(pid, pid);
    close(toEngine[0]);
    close(fromEngine[1]);
    fcntl(toEngine[1], F_SETFD, FD_CLOEXEC);
    fcntl(fromEngine[0], F_SETFD, FD_CLOEXEC);
    mPid = pid;
    mToEngine = toEngine[1];
    mFromEngine = fromEngine[0];
}

// Asks the engine to quit, and kills what is left of its process group after
// a grace period.
void GtpPlayer::Stop() {
    if (mPid < 0) return;
    const std::string quit = "quit\n";
    [[maybe_unused]] const ssize_t written = write(mToEngine, quit.data(), quit.size());
    close(mToEngine);
    close(mFromEngine);
    const auto deadline = std::chrono::steady_clock::now() + QuitGrace;
    int status = 0;
    while (waitpid(mPid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(-mPid, SIGKILL);
            waitpid(mPid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(-mPid, SIGKILL);  // anything the engine started and left behind
    mPid = -1;
}

void GtpPlayer::Send(const std::string& line) {
    const std::string text = line + '\n';
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(mToEngine, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Forfeit(Termination::Crash, "it ended before \"" + line + "\"");
        done += static_cast<std::size_t>(n);
    }
}

// The next line the engine writes, without its line break or carriage
// return, within the time it has.
std::string GtpPlayer::ReadLine() {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(mMoveTimeout));
    for (;;) {
        const std::size_t end = mPending.find('\n');
        if (end != std::string::npos) {
            std::string line = mPending.substr(0, end);
            mPending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        }
        if (mPending.size() > MaxAnswerLength)
            throw Forfeit(Termination::Malformed, "an answer of more than a megabyte");
        int wait = -1;
        if (mMoveTimeout > 0.0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                kill(-mPid, SIGKILL);
                std::ostringstream message;
                message << "no answer within " << mMoveTimeout << " s";
                throw Forfeit(Termination::Timeout, message.str());
            }
            wait = static_cast<int>(left.count()) + 1;
        }
        pollfd waiting{mFromEngine, POLLIN, 0};
        const int ready = poll(&waiting, 1, wait);
        if (ready < 0 && errno != EINTR) throw Forfeit(Termination::Crash, "cannot read it");
        if (ready <= 0) continue;
        char buffer[4096];
        const ssize_t n = read(mFromEngine, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Forfeit(Termination::Crash, "it ended without an answer");
        mPending.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string GtpPlayer::Ask(const std::string& command) {
    Send(command);
    std::string first = ReadLine();
    while (first.empty())
        first = ReadLine();
    if (first[0] != '=' && first[0] != '?') {
        throw Forfeit(Termination::Malformed,
                      "\"" + first + "\" is not an answer to \"" + command + "\"");
    }
    std::size_t afterId = 1;
    while (afterId < first.size() && first[afterId] >= '0' && first[afterId] <= '9')
        ++afterId;
    std::string text = first.substr(afterId);
    for (std::string line = ReadLine(); !line.empty(); line = ReadLine())
        text += '\n' + line;
    const std::size_t start = text.find_first_not_of(' ');
    text = start == std::string::npos ? "" : text.substr(start);
    if (first[0] == '?')
        throw Forfeit(Termination::Malformed, "\"" + command + "\" was refused: " + text);
    return text;
}

// The moves of the game the engine has not been told, as play commands; a
// new game starts with the board's size and an empty board.
void GtpPlayer::TellMoves(const Position& position) {
    if (mPid < 0) {
        Start();
        Ask("boardsize " + std::to_string(BoardSize));
        Ask("clear_board");
        mSharesGenerator = Ask("known_command nanaren-random_state") == "true";
    }
    const std::vector<Vertex>& moves = position.Moves();
    for (; mMovesTold < moves.size(); ++mMovesTold) {
        const int color = mMovesTold % 2 == 0 ? Black : White;
        Ask(std::string("play ") + ColorLetter(color) + ' ' + GtpVertexText(moves[mMovesTold]));
    }
}

Vertex GtpPlayer::AskMove(const Position& position, int color) {
    const std::string answer = Ask(std::string("genmove ") + ColorLetter(color));
    const std::optional<Vertex> move = ParseGtpVertex(answer);
    if (!move) throw Forfeit(Termination::Malformed, "\"" + answer + "\" is not a move");
    if (*move != Pass && *move != Resign) {
        const Refusal refusal = position.ReasonRefused(color, *move);
        if (refusal != Refusal::None) {
            throw Forfeit(Termination::IllegalMove,
                          answer + " is refused (" + RefusalName(refusal) + ")");
        }
    }
    return *move;
}

SearchResult GtpPlayer::Think(const Position& position, int color, Random& random,
                              SearchObserver& /*observer*/) {
    TellMoves(position);
    if (mSharesGenerator) Ask("nanaren-random_state " + std::to_string(random.State()));
    const Vertex move = AskMove(position, color);
    ++mMovesTold;
    if (mSharesGenerator) {
        const std::string state = Ask("nanaren-random_state");
        const auto value = ParseInteger<std::uint32_t>(state);
        if (!value || *value == 0)
            throw Forfeit(Termination::Malformed, "\"" + state + "\" is no generator state");
        random.Restore(*value);
    }
    return {move, std::nullopt};
}

}  // namespace nanaren::match
