#include "uct.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <limits>
#include <optional>

#include "messages.h"
#include "tree.h"

namespace nanaren {

std::uint32_t Random = RandomStartState;

void SeedRandom(std::time_t t) {
    const std::uint32_t lowBits =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(t) & 0xFFFF);
    for (std::uint32_t i = 0; i < lowBits + 1001; ++i)
        NextRandom();
}

namespace {

// Reads a decimal integer the way "%d" does: blanks skipped, an optional sign,
// then digits. A value beyond the 32-bit range is clamped to it.
std::optional<std::int32_t> ReadDecimal(std::FILE* file) {
    int ch = std::fgetc(file);
    while (ch != EOF && std::isspace(ch))
        ch = std::fgetc(file);
    const bool negative = ch == '-';
    if (ch == '-' || ch == '+') ch = std::fgetc(file);
    if (ch == EOF || !std::isdigit(ch)) return std::nullopt;

    constexpr std::int64_t Limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; ch != EOF && std::isdigit(ch); ch = std::fgetc(file)) {
        if (magnitude < Limit) magnitude = magnitude * 10 + (ch - '0');
    }
    if (negative) return static_cast<std::int32_t>(-std::min(magnitude, Limit));
    return static_cast<std::int32_t>(std::min(magnitude, Limit - 1));
}

}  // namespace

std::int32_t ReadPlayoutCount() {
    std::FILE* file = std::fopen("think.txt", "r");
    if (file == nullptr) return DefaultPlayoutCount;
    const std::optional<std::int32_t> count = ReadDecimal(file);
    std::fclose(file);
    return count.value_or(DefaultPlayoutCount);
}

// ------------------------------------------------------------ the player

Uct::Uct(int color, std::time_t clock) : mPlayouts(ReadPlayoutCount()) {
    mBoard.ClearPosition();
    mMoveCount = 0;
    mMyColor = color;
    SeedRandom(clock);
    mTree = std::make_unique<Tree>();
}

Uct::~Uct() = default;

// ----------------------------------------------------------- search driver

namespace {

// The eight neighbours; away from the root only points next to a stone are
// candidate moves.
constexpr std::array<int, 8> Neighbours = {UpLeft, Up,       UpRight, Left,
                                           Right,  DownLeft, Down,    DownRight};

// A search prints progress twenty times, at every ProgressSteps-th iteration.
constexpr std::int64_t ProgressSteps = 20;

constexpr float ExpansionVisits = 3.0f;

bool HasStoneAround(const Board& board, Vertex v) {
    for (const int d : Neighbours) {
        const int cell = board.mCell[v + d];
        if (cell == Black || cell == White) return true;
    }
    return false;
}

}  // namespace

Board::PutResult Uct::Think(Vertex& vertex) {
    return Think(vertex, std::cout);
}

Board::PutResult Uct::Think(Vertex& vertex, std::ostream& out) {
    Board saved;
    saved.CopyPosition(mBoard);
    Tree& tree = *mTree;
    tree.Reset();
    const std::int32_t root = tree.BeginPath();
    Expand(root, mMyColor);

    out << messages::Thinking << std::endl;
    if (!tree.IsLeaf(root)) RunIterations(saved, out);
    out << std::endl;

    const std::int32_t best = tree.BestChild(root);
    if (best == -1) {
        tree.Clear();
        vertex = -1;
        return Board::Success;
    }
    const Node& chosen = tree.At(best);
    vertex = chosen.move;
    ++mMoveCount;
    out << messages::WinningRate << static_cast<int>(static_cast<double>(chosen.value) * 100.0)
        << '%' << std::endl;
    if (!tree.IsLeaf(best)) {
        const Vertex reply = tree.At(tree.BestChild(best)).move;
        out << messages::ExpectedReply << GetX(reply) << ", " << GetY(reply) << ')' << std::endl;
    }
    tree.Clear();

    const Board::PutResult ret = mBoard.PutAt(vertex, mMyColor);
    NANAREN_ASSERT(ret != Board::Failure);
    return ret;
}

// mPlayouts + 1 iterations, the board restored after each. Counts are 64-bit
// so that the largest settings neither overflow the loop nor the percentage.
void Uct::RunIterations(const Board& saved, std::ostream& out) {
    const std::int64_t playouts = mPlayouts;
    const std::int64_t interval = playouts / ProgressSteps;
    for (std::int64_t i = 0; i <= playouts; ++i) {
        const bool report = interval == 0 ? i == 0 : i % interval == 0;
        if (report) out << "..." << (playouts == 0 ? 0 : 100 * i / playouts) << '%' << std::endl;
        Iterate();
        mBoard.CopyPosition(saved);
    }
}

void Uct::Iterate() {
    Tree& tree = *mTree;
    std::int32_t node = tree.BeginPath();
    mThreat = {0, 0};
    int color = mMyColor;
    for (;;) {
        const std::int32_t child = tree.Select(node);
        if (child == -1) {
            // The expansion found no candidate: play out from the node itself.
            --tree.mHistoryIndex;
            tree.Update(Playout(color));
            return;
        }
        node = child;
        const Vertex move = tree.At(node).move;
        const Board::PutResult ret = PutAndCheck(move, color);
        NANAREN_ASSERT(ret != Board::Failure);
        if (ret == Board::Win) {
            tree.Update(color == mMyColor ? 1.0f : 0.0f);
            return;
        }
        std::uint8_t& threat = mThreat[ColorIndex(color)];
        if (threat == 0) threat = FindLineThreat(move, color) ? 1 : 0;
        color = Opposite(color);
        if (!tree.IsLeaf(node)) continue;
        if (NeedsExpansion(node) && HasRoomToExpand()) {
            Expand(node, color);
            continue;
        }
        tree.Update(Playout(color));
        return;
    }
}

bool Uct::NeedsExpansion(std::int32_t node) const {
    return mTree->At(node).visits >= ExpansionVisits;
}

// An expansion creates at most one child per empty point, and the next
// Select pushes one more entry on the path.
bool Uct::HasRoomToExpand() const {
    return !mTree->IsPathFull() && mTree->FreeCount() >= mBoard.mEmptySize;
}

void Uct::Expand(std::int32_t node, int color) {
    Tree& tree = *mTree;
    Board saved;
    saved.CopyPosition(mBoard);
    const bool isRoot = node == tree.mRoot;
    const int size = mBoard.mEmptySize;
    std::int32_t last = -1;
    for (int i = 0; i < size; ++i) {
        const Vertex v = mBoard.mEmpty[i];
        if (!isRoot && !HasStoneAround(mBoard, v)) continue;
        const Board::PutResult r = mBoard.Put(i, color);
        if (r == Board::Failure) continue;
        mBoard.CopyPosition(saved);
        if (r == Board::Win) {
            KeepOnlyChild(node, v);
            return;
        }
        last = last == -1 ? tree.AddChild(node, static_cast<std::int16_t>(v))
                          : tree.AddSibling(last, static_cast<std::int16_t>(v));
        Node& child = tree.At(last);
        child.visits = 1.0f;
        child.value = static_cast<float>(1.0 - static_cast<double>(tree.At(node).value));
    }
}

// A winning move makes every other candidate pointless: the children made so
// far go back to the store and the winning move is the only child.
void Uct::KeepOnlyChild(std::int32_t node, Vertex move) {
    Tree& tree = *mTree;
    tree.FreeChain(tree.At(node).firstChild);  // fresh leaves, released in list order
    Node& child = tree.At(tree.AddChild(node, static_cast<std::int16_t>(move)));
    child.visits = 1.0f;
    child.value = 1.0f;
}

// ---------------------------------------------------------- line analysis

// A point that is not c's continues c's line when it is an enemy stone pinched
// from both sides across the line, or any other point with a c stone beside it
// and no enemy stone beside it.
bool Uct::IsBridgeable(Vertex x, int side, int c) const {
    const int o = Opposite(c);
    const int beside = mBoard.mCell[x + side];
    const int across = mBoard.mCell[x - side];
    if (mBoard.mCell[x] == o) return beside == c && across == c;
    return (beside == c || across == c) && beside != o && across != o;
}

// Walks from p by step, extending the stretch of c stones over bridgeable
// points; end 0 is the forward end, 1 the backward one.
void Uct::WalkLine(LineInfo& line, Vertex p, int step, int side, int c, int end) const {
    int pending = 0;
    for (Vertex x = p + step;; x += step) {
        const int cell = mBoard.mCell[x];
        if (cell == c) {
            ++line.stone;
            line.len += pending + 1;
            line.space += pending;
            pending = 0;
            line.edge[end] = x;
            line.edgeSpace[end] = 0;
            continue;
        }
        if (cell == Empty || cell == Mark) line.edgeSpace[end] = x;
        if (!IsBridgeable(x, side, c)) return;
        ++pending;
    }
}

bool Uct::ScanLine(Vertex p, int dir, int side, int c) {
    LineInfo& line = mLine[ColorIndex(c)];
    const bool own = mBoard.mCell[p] == c;
    line.edge = {own ? p : 0, own ? p : 0};
    line.edgeSpace = {0, 0};
    line.len = own ? 1 : 0;
    line.space = own ? 0 : 1;
    line.dir = dir;
    line.stone = own ? 1 : 0;
    WalkLine(line, p, dir, side, c, 0);
    WalkLine(line, p, -dir, side, c, 1);

    if (line.len <= 5) return false;
    if (line.edge[1] == 0 || line.edge[0] == 0) return false;
    // A stretch whose forward end runs along the first line.
    if (mBoard.IsEdge(line.edge[0]) && mBoard.IsEdge(line.edge[0] - dir)) return false;
    if (line.len >= 8) return c == White;
    if (line.len == 7) return true;
    const auto isOpen = [&](Vertex v) {
        return mBoard.mCell[v] == Empty || mBoard.mCell[v] == Mark;
    };
    if (!isOpen(line.edge[0] + dir) || !isOpen(line.edge[1] - dir)) return false;
    ++line.space;  // an open six
    return true;
}

bool Uct::FindLineThreat(Vertex p, int c) {
    return ScanLine(p, Up, Right, c) || ScanLine(p, Right, Up, c);
}

// The region search is defined as a depth-first walk over every simple path of
// the empty region from p (up, right, left, down; marks cleared on the way
// out) that scans each point it enters and stops at the first threat. A scan
// treats marked and empty points alike, so each point's scan has one fixed
// outcome, and only three effects can be observed: the result, mThreat[c] and
// the record of the last scan. They are computed here in linear time:
// - the walk enters new points in the order of a plain depth-first search,
//   because a path that re-enters a finished part of the region finds nothing
//   new there; so the first threat it meets is the first in that order;
// - without a threat, the walk's last scan is at the end of its last path,
//   which always steps to the last free neighbour in the order.
bool Uct::FindThreatInRegion(Vertex p, int c) {
    std::array<bool, MaxVertexSize> seen{};
    if (FindFirstThreatInOrder(p, c, seen)) {
        mThreat[ColorIndex(c)] = 1;
        return true;
    }
    FindLineThreat(LastPointOfRegionWalk(p), c);
    return false;
}

bool Uct::FindFirstThreatInOrder(Vertex p, int c, std::array<bool, MaxVertexSize>& seen) {
    if (FindLineThreat(p, c)) return true;
    seen[p] = true;
    for (const int d : CaptureDirections) {
        const Vertex n = p + d;
        if (mBoard.mCell[n] == Empty && !seen[n] && FindFirstThreatInOrder(n, c, seen)) return true;
    }
    return false;
}

Vertex Uct::LastPointOfRegionWalk(Vertex p) const {
    std::array<bool, MaxVertexSize> onPath{};
    onPath[p] = true;
    for (;;) {
        Vertex next = -1;
        for (auto d = CaptureDirections.rbegin(); d != CaptureDirections.rend(); ++d) {
            const Vertex n = p + *d;
            if (mBoard.mCell[n] == Empty && !onPath[n]) {
                next = n;
                break;
            }
        }
        if (next == -1) return p;
        p = next;
        onPath[p] = true;
    }
}

// --------------------------------------------------------- playout policy

namespace {

// Neighbours examined around the last moves when looking for stones in atari.
constexpr std::array<int, 4> AtariDirections = {Up, Down, Right, Left};

// Directions walked from the mover's previous stone for local candidates.
constexpr std::array<int, 8> LocalDirections = {Up,      Down,     Right,  Left,
                                                UpRight, DownLeft, UpLeft, DownRight};

// Rays from the opponent's last stone along which a seven is blocked.
constexpr std::array<int, 8> BlockDirections = {Down, Left,  DownRight, DownLeft,
                                                Up,   Right, UpLeft,    UpRight};

constexpr int LocalMoveChance = 100;  // in 128
constexpr int RandomMoveTries = 30;
constexpr int EnclosedDrawsPerTry = 10;

// A short list of points on the stack; the same point may stand twice.
template <int Capacity>
struct PointList {
    std::array<Vertex, Capacity> points;
    int size = 0;

    void Add(Vertex v) { points[size++] = v; }
    void AddLiberty(Vertex liberty) {
        if (liberty != -1) Add(liberty);
    }
};

std::uint32_t RandomBelow(int n) {
    return NextRandom() % static_cast<std::uint32_t>(n);
}

}  // namespace

Board::PutResult Uct::PutAndCheck(Vertex v, int c) {
    const Board::PutResult r = mBoard.PutAt(v, c);
    if (r != Board::Success || mBoard.mCapturedCount == 0) return r;
    for (int i = 0; i < 4; ++i) {
        const bool captured = (mBoard.mCaptureDirs >> i & 1) != 0;
        if (captured && FindThreatInRegion(v + CaptureDirections[i], c)) break;
    }
    return r;
}

float Uct::Playout(int c) {
    for (int count = 0;;) {
        const Board::PutResult r = PlayoutMove(c);
        if (r == Board::Failure) return c == mMyColor ? 0.0f : 1.0f;
        if (r == Board::Win) return c == mMyColor ? 1.0f : 0.0f;
        c = Opposite(c);
        if (++count > PlayoutMoveLimit) return 0.5f;
    }
}

Board::PutResult Uct::PlayoutMove(int c) {
    if (mBoard.mEmptySize == 0) return Board::Failure;
    const std::optional<Board::PutResult> blocked = BlockSeven(c);
    const Board::PutResult r = blocked ? *blocked : PlayTacticalOrRandomMove(c);
    if (r != Board::Success) return r;
    return CheckOwnThreat(c);
}

// The steps after BlockSeven, tried until one places a stone.
Board::PutResult Uct::PlayTacticalOrRandomMove(int c) {
    Board::PutResult r = ReplyToAtari(c);
    if (r == Board::Failure) r = ExtendLine(c);
    if (r == Board::Failure) r = PlayNearPreviousMove(c);
    if (r == Board::Failure) r = PlayRandomMove(c);
    return r;
}

std::optional<Board::PutResult> Uct::BlockSeven(int c) {
    if (mBoard.mRecordSize == 0) return std::nullopt;
    const int o = Opposite(c);
    const Vertex m = mBoard.mRecord[mBoard.mRecordSize - 1];
    const auto runLength = [&](Vertex from, int step) {
        int length = 0;
        for (Vertex p = from; mBoard.mCell[p] == o; p += step)
            ++length;
        return length;
    };
    for (const int d : BlockDirections) {
        if (mBoard.mCell[m + d] == Wall) continue;
        if (mBoard.IsEdge(m + d) && mBoard.IsEdge(m + 2 * d)) continue;
        Vertex v = m + d;
        while (mBoard.mCell[v] == c)
            v += d;
        if (mBoard.mCell[v] != Empty) continue;
        const int k = 1 + runLength(v + d, d) + runLength(v - d, -d);
        if (k == 7 || (o == White && k > 7)) return PutAndCheck(v, c);
    }
    return std::nullopt;
}

Board::PutResult Uct::ReplyToAtari(int c) {
    if (mBoard.mRecordSize == 0) return Board::Failure;
    const int o = Opposite(c);
    const Vertex m = mBoard.mRecord[mBoard.mRecordSize - 1];
    PointList<5> captures;  // the last move, then the enemy neighbours of q
    PointList<5> escapes;   // the own neighbours of the last move, then q
    captures.AddLiberty(mBoard.FindSingleLiberty(m, o));
    for (const int d : AtariDirections) {
        if (mBoard.mCell[m + d] == c) escapes.AddLiberty(mBoard.FindSingleLiberty(m + d, c));
    }
    if (mBoard.mRecordSize > 1) {
        const Vertex q = mBoard.mRecord[mBoard.mRecordSize - 2];
        if (mBoard.mCell[q] == c) {
            escapes.AddLiberty(mBoard.FindSingleLiberty(q, c));
            for (const int d : AtariDirections) {
                if (mBoard.mCell[q + d] == o) {
                    captures.AddLiberty(mBoard.FindSingleLiberty(q + d, o));
                }
            }
        }
    }
    Board::PutResult r = PlayAnyOf(captures.points.data(), captures.size, c);
    if (r == Board::Failure) r = PlayAnyOf(escapes.points.data(), escapes.size, c);
    return r;
}

// Extends the mover's line through its previous stone at the end where the
// stretch would grow longest.
Board::PutResult Uct::ExtendLine(int c) {
    if (mBoard.mRecordSize <= 1) return Board::Failure;
    FindLineThreat(mBoard.mRecord[mBoard.mRecordSize - 2], c);
    const LineInfo& line = mLine[ColorIndex(c)];
    const int n = line.NextVirtualLengthMax();
    const int s = line.NextVirtualDir();
    Vertex p = line.NextVirtualEdgeSpace();
    if (line.edge[0] == 0) return Board::Failure;
    if (mBoard.IsEdge(line.edge[0]) && mBoard.IsEdge(line.edge[0] - s)) return Board::Failure;
    const auto isEmpty = [&](Vertex v) { return mBoard.mCell[v] == Empty; };
    if (n >= 7) {
        p += (n - 7) * s;  // six steps from the stretch's far end stone
        if (!isEmpty(p)) return Board::Failure;
    } else if (n == 6) {
        if (!isEmpty(p) || !isEmpty(p - s) || !isEmpty(p + 6 * s)) return Board::Failure;
    } else {
        return Board::Failure;
    }
    return PutAndCheck(p, c);
}

// With probability 100/128, a point next to the ends of the mover's own runs
// through its previous stone.
Board::PutResult Uct::PlayNearPreviousMove(int c) {
    if ((NextRandom() & 127) >= LocalMoveChance) return Board::Failure;
    PointList<8> candidates;
    if (mBoard.mRecordSize >= 2) {
        const Vertex q = mBoard.mRecord[mBoard.mRecordSize - 2];
        for (const int d : LocalDirections) {
            Vertex p = q + d;
            while (mBoard.mCell[p] == c)
                p += d;
            if (mBoard.mCell[p] == Empty && !mBoard.IsEnclosed(p, c)) candidates.Add(p);
        }
    }
    return PlayAnyOf(candidates.points.data(), candidates.size, c);
}

Board::PutResult Uct::PlayRandomMove(int c) {
    for (int attempt = 0; attempt < RandomMoveTries; ++attempt) {
        int budget = std::min(mBoard.mEmptySize, EnclosedDrawsPerTry);
        Vertex v = mBoard.mEmpty[RandomBelow(mBoard.mEmptySize)];
        while (mBoard.IsEnclosed(v, c)) {
            if (--budget == 0) return Board::Failure;
            v = mBoard.mEmpty[RandomBelow(mBoard.mEmptySize)];
        }
        const Board::PutResult r = PutAndCheck(v, c);
        if (r != Board::Failure) return r;
    }
    return Board::Failure;
}

// Up to count random picks from the points, with replacement, until one is
// played.
Board::PutResult Uct::PlayAnyOf(const Vertex* points, int count, int c) {
    Board::PutResult r = Board::Failure;
    for (int tries = 0; tries < count && r == Board::Failure; ++tries) {
        r = PutAndCheck(points[RandomBelow(count)], c);
    }
    return r;
}

// After c has played: a move that makes (or follows) a threat of c ends the
// playout with a judgement of the threat.
Board::PutResult Uct::CheckOwnThreat(int c) {
    const int index = ColorIndex(c);
    const Vertex placed = mBoard.mRecord[mBoard.mRecordSize - 1];
    if (!mThreat[index] && !FindLineThreat(placed, c)) return Board::Success;
    const LineInfo& line = mLine[index];
    if (line.edge[0] == 0 || mBoard.IsEdge(line.edge[0] - line.dir)) return Board::Success;
    return JudgeThreat(c);
}

// Random replies of the opponent o, one trial per gap of c's line: c wins
// when o runs out of points or of replies before making a threat as good.
Board::PutResult Uct::JudgeThreat(int c) {
    const int o = Opposite(c);
    int k = mLine[ColorIndex(c)].space;
    for (;;) {
        int budget = mBoard.mEmptySize;
        for (;;) {
            if (mBoard.mEmptySize == 0) return Board::Win;
            const Vertex v = mBoard.mEmpty[RandomBelow(mBoard.mEmptySize)];
            if (mBoard.IsEnclosed(v, c)) {
                if (--budget <= 0) return Board::Win;
                continue;
            }
            if (budget <= 0) return Board::Win;
            --budget;
            const Board::PutResult r = PutAndCheck(v, o);
            if (r == Board::Failure) continue;
            if (r == Board::Win) return k == 0 ? Board::Win : Board::Failure;
            if (mThreat[ColorIndex(o)] || FindLineThreat(v, o)) {
                return mLine[ColorIndex(o)].space >= k ? Board::Win : Board::Failure;
            }
            break;
        }
        if (--k == 0) return Board::Win;
    }
}

}  // namespace nanaren
