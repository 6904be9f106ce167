#pragma once

#include <iosfwd>

#include "player.h"

namespace nanaren {

// A search's report as the console prints it, each line flushed as it is
// made: the thinking line, the progress, then the winning rate and the reply
// the computer expects.
class ReportPrinter : public SearchObserver {
  public:
    explicit ReportPrinter(std::ostream& out) : mOut(out) {}
    void Started() override;
    void Progress(std::int64_t percent) override;
    void Finished(const std::optional<SearchEstimate>& estimate) override;

  private:
    std::ostream& mOut;
};

}  // namespace nanaren
