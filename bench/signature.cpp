#include "signature.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "console_game.h"
#include "play/self_play.h"
#include "players/exact_player.h"
#include "players/registry.h"
#include "report_printer.h"

namespace nanaren {

namespace {

// A whole console game: think.txt, the clock and the person's typing.
struct ScriptedGame {
    const char* thinkTxt;
    std::time_t clock;
    const char* input;
};

// The person's moves are fixed, so some are refused where the computer has
// played; refused moves, passes and junk are part of what is signed.
constexpr std::array<ScriptedGame, 5> ScriptedGames = {{
    {"30", 0,
     "1\n5 5\n4 4\n6 6\n5 4\n-1 3\n3 3\nfoo\n7 7\n5 6\n5 3\n2 2\n8 8\n5 7\n4 6\n6 4\n3 7\n7 3\n"},
    {"  200\n", 1733700000, "2\n5 5\n4 5\n6 5\n3 5\n7 5\n-1 -1\n5 4\n5 6\n4 4\n6 6\n4 6\n6 4\n"},
    {"1000 7", 65535, "1\n2 1\n3 1\n4 1\n5 1\n6 1\n7 1\n8 1\n2 2\n3 3\n4 4\n5 5\n6 6\n7 7\n"},
    {"-1", 5, "1\n5 5\n-1 -1\n4 4\n1 1\n6 6\n3 3\n"},
    {"2000", 1765200000, "0\n4 4\n6 6\n5 3\n3 5\n"},
}};

// The computer against itself: Black's and White's playouts and the clock.
struct ComputerGame {
    std::array<std::int32_t, 2> playouts;
    std::time_t clock;
};

constexpr std::array<ComputerGame, 5> ComputerGames = {{
    {{30, 30}, 1},
    {{50, 60}, 99},
    {{100, 300}, 1733700000},
    {{1000, 200}, 31337},
    {{500, 2000}, 424242},
}};

constexpr std::array<StrongGame, 5> StrongGames = {{
    {"level:1", "level:2", 11},
    {"level:3", "exact:300", 12},
    {"blocker", "level:4", 13},
    {"strong:2000:forced=2:lanes=2", "builder", 14},
    {"level:2", "level:3", 15},
}};

class Fnv1a {
  public:
    void Add(std::string_view bytes) {
        for (const char ch : bytes) {
            mHash ^= static_cast<unsigned char>(ch);
            mHash *= 0x100000001b3u;
        }
    }
    std::uint64_t Value() const { return mHash; }

  private:
    std::uint64_t mHash = 0xcbf29ce484222325u;
};

// The stones placed in a console game: the boards of its transcript that
// differ from the board printed before them. Refused moves and passes print
// the board unchanged.
int CountPlacedStones(const std::string& transcript) {
    constexpr std::string_view Header = "    [ 1 2 3 4 5 6 7 8 9]\n";
    constexpr std::size_t BoardBytes = Header.size() + 9 * 24;
    int placed = 0;
    std::string previous(BoardBytes - Header.size(), '+');
    for (std::size_t at = transcript.find(Header); at != std::string::npos;
         at = transcript.find(Header, at + 1)) {
        std::string rows = transcript.substr(at + Header.size(), BoardBytes - Header.size());
        if (rows.find_first_of("@O") != std::string::npos && rows != previous) ++placed;
        previous = std::move(rows);
    }
    return placed;
}

void PlayScripted(const ScriptedGame& game, Fnv1a& hash, Signature& signature) {
    std::ofstream("think.txt", std::ios::binary) << game.thinkTxt;
    std::istringstream in(game.input);
    std::ostringstream out;
    PlayGame(in, out, [&] { return game.clock; });
    hash.Add(out.str());
    signature.moves += CountPlacedStones(out.str());
}

int CountStones(const Board& board) {
    return board.StoneCount(Black) + board.StoneCount(White);
}

void PlayComputerGame(const ComputerGame& game, Fnv1a& hash, Signature& signature) {
    SelfPlay play({std::make_unique<ExactPlayer>(ExactSettings{game.playouts[0]}),
                   std::make_unique<ExactPlayer>(ExactSettings{game.playouts[1]})},
                  game.clock);
    while (!play.IsOver()) {
        std::ostringstream out;
        ReportPrinter report(out);
        const Board& board = play.GetPosition().GetBoard();
        const int stonesBefore = CountStones(board);
        const Vertex v = play.PlayMove(report);
        out << "AI:" << (v == Pass ? -1 : GetX(v)) << ", " << (v == Pass ? -1 : GetY(v)) << '\n';
        PrintBoard(board, out);
        hash.Add(out.str());
        if (v == Pass) continue;
        ++signature.moves;
        // A move that captured leaves no more stones than there were.
        if (CountStones(board) <= stonesBefore) ++signature.captures;
        if (board.Ko() != NoVertex) ++signature.kos;
    }
    std::ostringstream end;
    end << "winner " << play.Winner() << " passes " << play.Passes() << '\n';
    hash.Add(end.str());
}

// A fresh temporary directory as the working directory while it lives.
class TemporaryDirectory {
  public:
    TemporaryDirectory() : mSaved(std::filesystem::current_path()) {
        const auto base = std::filesystem::temp_directory_path();
        for (int n = 0;; ++n) {
            mPath = base / ("nanaren-signature-" + std::to_string(n));
            if (std::filesystem::create_directory(mPath)) break;
        }
        std::filesystem::current_path(mPath);
    }
    ~TemporaryDirectory() {
        std::filesystem::current_path(mSaved);
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  private:
    std::filesystem::path mSaved;
    std::filesystem::path mPath;
};

}  // namespace

std::uint64_t HashOfBytes(std::string_view bytes) {
    Fnv1a hash;
    hash.Add(bytes);
    return hash.Value();
}

std::span<const StrongGame> StrongSignatureGames() {
    return StrongGames;
}

Signature PlayStrongSignatureGames() {
    return PlayStrongGames(StrongGames, AllCores);
}

Signature PlayStrongGames(std::span<const StrongGame> games, int threads) {
    Fnv1a hash;
    Signature signature;
    for (const StrongGame& game : games) {
        SelfPlay play({MakePlayer(*ParsePlayer(game.black), threads),
                       MakePlayer(*ParsePlayer(game.white), threads)},
                      game.clock);
        SearchObserver quiet;
        while (!play.IsOver())
            play.PlayMove(quiet);
        const Position& position = play.GetPosition();
        hash.Add(position.Record() + " winner " + std::to_string(play.Winner()) + '\n');
        signature.moves += static_cast<int>(position.Moves().size()) - play.Passes();
        ++signature.games;
    }
    signature.hash = hash.Value();
    return signature;
}

Signature PlaySignatureGames() {
    const TemporaryDirectory directory;
    Fnv1a hash;
    Signature signature;
    for (const ScriptedGame& game : ScriptedGames) {
        PlayScripted(game, hash, signature);
        ++signature.games;
    }
    for (const ComputerGame& game : ComputerGames) {
        PlayComputerGame(game, hash, signature);
        ++signature.games;
    }
    signature.hash = hash.Value();
    return signature;
}

}  // namespace nanaren
