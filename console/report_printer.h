#pragma once

#include <iosfwd>

#include "messages.h"
#include "players/player.h"

namespace nanaren {

// A search's report as the console prints it, each line flushed as it is
// made: the thinking line, the progress, then the winning rate and the reply
// the computer expects.
class ReportPrinter : public SearchObserver {
  public:
    explicit ReportPrinter(std::ostream& out, const Texts& texts = ShiftJisTexts)
        : mOut(out), mTexts(texts) {}
    void Started() override;
    void Progress(std::int64_t percent) override;
    void Finished(const std::optional<SearchEstimate>& estimate) override;

  private:
    std::ostream& mOut;
    const Texts& mTexts;  // the game's language and encoding
};

}  // namespace nanaren
