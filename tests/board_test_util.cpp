#include "board_test_util.h"

#include <array>
#include <vector>

namespace nanaren::testing {

void SetUpPosition(Board& board, std::initializer_list<std::string_view> rows) {
    board.ClearPosition();
    int y = 1;
    for (const std::string_view row : rows) {
        int x = 1;
        for (const char ch : row) {
            if (ch == ' ') continue;
            const int color = ch == '@' ? Black : ch == 'O' ? White : Empty;
            board.mCell[GetVertex(x, y)] = static_cast<std::uint8_t>(color);
            ++x;
        }
        ++y;
    }
    board.mEmptySize = 0;
    for (int yy = 1; yy <= BoardSize; ++yy) {
        for (int xx = 1; xx <= BoardSize; ++xx) {
            const Vertex v = GetVertex(xx, yy);
            board.mEmptyPos[v] = -1;
            if (board.mCell[v] != Empty) continue;
            board.mEmptyPos[v] = static_cast<std::int16_t>(board.mEmptySize);
            board.mEmpty[board.mEmptySize++] = static_cast<std::int16_t>(v);
        }
    }
}

::testing::AssertionResult IsConsistent(const Board& board) {
    std::array<int, MaxVertexSize> listed{};
    for (int k = 0; k < board.mEmptySize; ++k) {
        const Vertex v = board.mEmpty[k];
        if (v < 0 || v >= MaxVertexSize || board.mCell[v] != Empty)
            return ::testing::AssertionFailure() << "list entry " << k << " is " << v;
        if (board.mEmptyPos[v] != k)
            return ::testing::AssertionFailure() << "mEmptyPos of " << v << " is not " << k;
        ++listed[v];
    }
    for (Vertex v = 0; v < MaxVertexSize; ++v) {
        const int x = GetX(v);
        const int y = GetY(v);
        const bool wall = x == 0 || x == 10 || y == 0 || y == 10;
        if (wall != (board.mCell[v] == Wall))
            return ::testing::AssertionFailure() << "wall ring broken at " << v;
        if (board.mCell[v] == Mark) return ::testing::AssertionFailure() << "Mark left at " << v;
        if (board.mCell[v] == Empty && listed[v] != 1)
            return ::testing::AssertionFailure() << "empty " << v << " listed " << listed[v];
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EveryGroupHasLiberty(const Board& board) {
    std::array<bool, MaxVertexSize> seen{};
    for (Vertex start = 0; start < MaxVertexSize; ++start) {
        const int color = board.mCell[start];
        if ((color != Black && color != White) || seen[start]) continue;
        bool liberty = false;
        std::vector<Vertex> stack = {start};
        seen[start] = true;
        while (!stack.empty()) {
            const Vertex v = stack.back();
            stack.pop_back();
            for (const int d : {Up, Down, Left, Right}) {
                const Vertex n = v + d;
                if (board.mCell[n] == Empty) liberty = true;
                if (board.mCell[n] == color && !seen[n]) {
                    seen[n] = true;
                    stack.push_back(n);
                }
            }
        }
        if (!liberty) return ::testing::AssertionFailure() << "group at " << start << " is dead";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SamePosition(const Board& a, const Board& b) {
    if (a.mCell != b.mCell) return ::testing::AssertionFailure() << "cells differ";
    if (a.mEmptySize != b.mEmptySize) return ::testing::AssertionFailure() << "list sizes differ";
    for (int k = 0; k < a.mEmptySize; ++k) {
        if (a.mEmpty[k] != b.mEmpty[k])
            return ::testing::AssertionFailure() << "list entry " << k << " differs";
    }
    if (a.mKo != b.mKo) return ::testing::AssertionFailure() << "ko differs";
    if (a.mRecordSize != b.mRecordSize) return ::testing::AssertionFailure() << "records differ";
    for (int k = 0; k < a.mRecordSize; ++k) {
        if (a.mRecord[k] != b.mRecord[k])
            return ::testing::AssertionFailure() << "record entry " << k << " differs";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace nanaren::testing
