#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "search/search_report.h"

namespace nanaren::testing {

// A search's report as it was made.
class RecordingObserver : public SearchObserver {
  public:
    void Started() override { ++started; }
    void Progress(std::int64_t percent) override { progress.push_back(percent); }
    void Finished(const std::optional<SearchEstimate>& estimate) override {
        ++finished;
        this->estimate = estimate;
    }

    int started = 0;                         // calls of Started
    std::vector<std::int64_t> progress;      // the percentages, in order
    int finished = 0;                        // calls of Finished
    std::optional<SearchEstimate> estimate;  // what Finished was given
};

}  // namespace nanaren::testing
