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
    if (board.mEmptySize < 0 || board.mEmptySize > MaxVertexSize) return "the list size is wrong";
    for (int k = 0; k < board.mEmptySize; ++k) {
        const Vertex v = board.mEmpty[k];
        if (v < 0 || v >= MaxVertexSize || board.mCell[v] != Empty) {
            return "list entry " + std::to_string(k) + " is " + std::to_string(v);
        }
        if (board.mEmptyPos[v] != k) {
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
        const int color = board.mCell[v];
        if (color != Black && color != White) continue;
        const Vertex head = board.mGroupHead[v];
        const Vertex freshHead = fresh.mGroupHead[v];
        if (board.mCell[head] != color) return "the head of " + std::to_string(v) + " is no stone";
        for (const int d : CaptureDirections) {
            const Vertex n = v + d;
            if (board.mCell[n] == color && board.mGroupHead[n] != head) {
                return "stones " + std::to_string(v) + " and " + std::to_string(n) +
                       " are in different groups";
            }
        }
        if (board.mGroupSize[head] != fresh.mGroupSize[freshHead]) {
            return "the group of " + std::to_string(v) + " has the wrong size";
        }
        if (!(board.mLiberties[head] == fresh.mLiberties[freshHead])) {
            return "the group of " + std::to_string(v) + " has the wrong liberties";
        }
        int ring = 0;
        Vertex s = head;
        do {
            if (board.mGroupHead[s] != head) return "the ring of " + std::to_string(v) + " strays";
            s = board.mNextStone[s];
        } while (s != head && ++ring <= MaxVertexSize);
        if (ring + 1 != board.mGroupSize[head]) {
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
        const int cell = board.mCell[v];
        if (IsWallPoint(v) != (cell == Wall)) return "wall ring broken at " + std::to_string(v);
        if (cell == Mark) return "Mark left at " + std::to_string(v);
        if (cell == Empty && listed[v] != 1) {
            return "empty " + std::to_string(v) + " listed " + std::to_string(listed[v]) + " times";
        }
    }
    Board fresh;
    fresh.mCell = board.mCell;
    fresh.SyncWithCells();
    if (!(board.mLines == fresh.mLines)) return "the line masks are not the cells";
    return FindGroupFault(board, fresh);
}

std::string FindPositionDifference(const Board& a, const Board& b) {
    if (a.mCell != b.mCell) return "cells differ";
    if (a.mEmptySize != b.mEmptySize) return "list sizes differ";
    for (int k = 0; k < a.mEmptySize; ++k) {
        if (a.mEmpty[k] != b.mEmpty[k]) return "list entry " + std::to_string(k) + " differs";
    }
    if (a.mKo != b.mKo) return "ko differs";
    if (a.mRecordSize != b.mRecordSize) return "records differ";
    for (int k = 0; k < a.mRecordSize; ++k) {
        if (a.mRecord[k] != b.mRecord[k]) return "record entry " + std::to_string(k) + " differs";
    }
    return {};
}

Vertex FindDeadGroup(const Board& board) {
    std::array<bool, MaxVertexSize> seen{};
    std::array<Vertex, MaxVertexSize> stack;
    for (Vertex start = 0; start < MaxVertexSize; ++start) {
        const int color = board.mCell[start];
        if ((color != Black && color != White) || seen[start]) continue;
        bool liberty = false;
        int size = 0;
        stack[size++] = start;
        seen[start] = true;
        while (size > 0) {
            const Vertex v = stack[--size];
            for (const int d : CaptureDirections) {
                const Vertex n = v + d;
                liberty = liberty || board.mCell[n] == Empty;
                if (board.mCell[n] == color && !seen[n]) {
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
