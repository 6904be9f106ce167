#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "board_test_util.h"
#include "scoped_state.h"
#include "search/playout_policy.h"

namespace nanaren {

// The playout policy's state as the tests set it up and read it.
struct PlayoutPolicyProbe {
    static Board& WorkingBoard(PlayoutPolicy& policy) { return policy.mBoard; }
    static std::array<std::uint8_t, 2>& Threats(PlayoutPolicy& policy) { return policy.mThreat; }
    static std::array<LineInfo, 2>& Lines(PlayoutPolicy& policy) { return policy.mLine; }
};

namespace testing {

inline Board& WorkingBoard(PlayoutPolicy& policy) {
    return PlayoutPolicyProbe::WorkingBoard(policy);
}
inline std::array<std::uint8_t, 2>& Threats(PlayoutPolicy& policy) {
    return PlayoutPolicyProbe::Threats(policy);
}
inline std::array<LineInfo, 2>& Lines(PlayoutPolicy& policy) {
    return PlayoutPolicyProbe::Lines(policy);
}

// The playout policy searching for Black, its working board empty and its
// generator at the start state.
class PolicyTest : public ::testing::Test {
  protected:
    PlayoutPolicy mPolicy;
    Board& mBoard = WorkingBoard(mPolicy);

    // The state of the generator the policy draws from.
    std::uint32_t RandomState() { return mPolicy.GetRandom().State(); }

    // Makes the given vertices the record, oldest first.
    void SetRecord(std::initializer_list<Vertex> moves) { mBoard.SetRecord(moves); }

    int CountStones(int color) const { return mBoard.StoneCount(color); }
};

}  // namespace testing
}  // namespace nanaren
