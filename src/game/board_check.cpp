#include "game/board_check.h"

#include <array>

namespace nanaren {

namespace {

bool IsWallPoint(Vertex v) {
    const int x = GetX(v);
    const int y = GetY(v);
    return x == 0 || x == GridSize - 1 || y == 0 || y == GridSize - 1;
}

std::string FindListFault(const Board& board, std::array<int, MaxVertexSize>& listed) {
    if (board.EmptyCount() < 0 || board.EmptyCount() > MaxVertexSize)
        return "the list size is wrong";
    for (int k = 0; k < board.EmptyCount(); ++k) {
        const Vertex v = board.EmptyPoint(k);
        if (v < 0 || v >= MaxVertexSize || board.Cell(v) != Empty) {
            return "list entry " + std::to_string(k) + " is " + std::to_string(v);
        }
        if (board.EmptyIndexOf(v) != k) {
            return "mEmptyPos of " + std::to_string(v) + " is not " + std::to_string(k);
        }
        ++listed[v];
    }
    return {};
}

// The groups as the incremental state holds them must be what the cells make:
// each stone's head is a stone of its group, its ring visits the whole group,
// and its liberties are the group's empty neighbours.
std::string FindGroupFault(const Board& board, const Board& fresh) {
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        const int color = board.Cell(v);
        if (color != Black && color != White) continue;
        const Vertex head = board.GroupHead(v);
        const Vertex freshHead = fresh.GroupHead(v);
        if (board.Cell(head) != color) return "the head of " + std::to_string(v) + " is no stone";
        for (const int d : CaptureDirections) {
            const Vertex n = v + d;
            if (board.Cell(n) == color && board.GroupHead(n) != head) {
                return "stones " + std::to_string(v) + " and " + std::to_string(n) +
                       " are in different groups";
            }
        }
        if (board.GroupSize(head) != fresh.GroupSize(freshHead)) {
            return "the group of " + std::to_string(v) + " has the wrong size";
        }
        if (!(board.LibertiesOf(head) == fresh.LibertiesOf(freshHead))) {
            return "the group of " + std::to_string(v) + " has the wrong liberties";
        }
        int ring = 0;
        Vertex s = head;
        do {
            if (board.GroupHead(s) != head) return "the ring of " + std::to_string(v) + " strays";
            s = board.NextStone(s);
        } while (s != head && ++ring <= MaxVertexSize);
        if (ring + 1 != board.GroupSize(head)) {
            return "the ring of " + std::to_string(v) + " is not the group";
        }
    }
    return {};
}

}  // namespace

std::string FindBoardFault(const Board& board) {
    std::array<int, MaxVertexSize> listed{};
    std::string fault = FindListFault(board, listed);
    if (!fault.empty()) return fault;
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        const int cell = board.Cell(v);
        if (IsWallPoint(v) != (cell == Wall)) return "wall ring broken at " + std::to_string(v);
        if (cell == Mark) return "Mark left at " + std::to_string(v);
        if (cell == Empty && listed[v] != 1) {
            return "empty " + std::to_string(v) + " listed " + std::to_string(listed[v]) + " times";
        }
    }
    Board fresh;
    for (Vertex v = 0; v < MaxVertexSize; ++v)
        fresh.SetCell(v, board.Cell(v));
    fresh.SyncWithCells();
    if (!(board.Lines() == fresh.Lines())) return "the line masks are not the cells";
    return FindGroupFault(board, fresh);
}

std::string FindPositionDifference(const Board& a, const Board& b) {
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        if (a.Cell(v) != b.Cell(v)) return "cells differ";
    }
    if (a.EmptyCount() != b.EmptyCount()) return "list sizes differ";
    for (int k = 0; k < a.EmptyCount(); ++k) {
        if (a.EmptyPoint(k) != b.EmptyPoint(k))
            return "list entry " + std::to_string(k) + " differs";
    }
    if (a.Ko() != b.Ko()) return "ko differs";
    if (a.RecordSize() != b.RecordSize()) return "records differ";
    for (int k = 0; k < a.RecordSize(); ++k) {
        if (a.RecordAt(k) != b.RecordAt(k)) return "record entry " + std::to_string(k) + " differs";
    }
    return {};
}

Vertex FindDeadGroup(const Board& board) {
    std::array<bool, MaxVertexSize> seen{};
    std::array<Vertex, MaxVertexSize> stack;
    for (Vertex start = 0; start < MaxVertexSize; ++start) {
        const int color = board.Cell(start);
        if ((color != Black && color != White) || seen[start]) continue;
        bool liberty = false;
        int size = 0;
        stack[size++] = start;
        seen[start] = true;
        while (size > 0) {
            const Vertex v = stack[--size];
            for (const int d : CaptureDirections) {
                const Vertex n = v + d;
                liberty = liberty || board.Cell(n) == Empty;
                if (board.Cell(n) == color && !seen[n]) {
                    seen[n] = true;
                    stack[size++] = n;
                }
            }
        }
        if (!liberty) return start;
    }
    return -1;
}

}  // namespace nanaren
