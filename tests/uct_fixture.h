#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "board_test_util.h"
#include "scoped_state.h"
#include "uct.h"

namespace nanaren::testing {

// A computer player for Black built in an empty working directory (so with
// the default playout count); the generator then stands at its start state.
class UctTest : public ::testing::Test {
  protected:
    UctTest() { Random = RandomStartState; }

    ScopedWorkingDirectory mDirectory;
    ScopedRandomState mRandomBefore{Random};
    Uct mUct{Black, 0};
    Board& mBoard = mUct.mBoard;

    // Makes the given vertices the record, oldest first.
    void SetRecord(std::initializer_list<Vertex> moves) {
        mBoard.mRecordSize = 0;
        for (const Vertex v : moves)
            mBoard.mRecord[mBoard.mRecordSize++] = v;
    }

    int CountStones(int color) const {
        int count = 0;
        for (const auto cell : mBoard.mCell)
            count += cell == color;
        return count;
    }
};

}  // namespace nanaren::testing
