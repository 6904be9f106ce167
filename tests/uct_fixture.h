#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "board_test_util.h"
#include "scoped_state.h"
#include "uct.h"

namespace nanaren::testing {

// A computer player for Black with the default playout count, its working
// board empty and its generator at the start state.
class UctTest : public ::testing::Test {
  protected:
    Uct mUct;
    Board& mBoard = mUct.mBoard;

    // The state of the generator the player draws from.
    std::uint32_t RandomState() const { return mUct.mRandom.State(); }

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
