#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "board_test_util.h"
#include "scoped_state.h"
#include "search/playout_policy.h"

namespace nanaren::testing {

// The playout policy searching for Black, its working board empty and its
// generator at the start state.
class PolicyTest : public ::testing::Test {
  protected:
    PlayoutPolicy mPolicy;
    Board& mBoard = mPolicy.mBoard;

    // The state of the generator the policy draws from.
    std::uint32_t RandomState() const { return mPolicy.mRandom.State(); }

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
