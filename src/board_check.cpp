#include "board_check.h"

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
