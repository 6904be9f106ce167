#include "report_printer.h"

#include <ostream>

namespace nanaren {

void ReportPrinter::Started() {
    mOut << mTexts.thinking << std::endl;
}

void ReportPrinter::Progress(std::int64_t percent) {
    mOut << "..." << percent << '%' << std::endl;
}

void ReportPrinter::Finished(const std::optional<SearchEstimate>& estimate) {
    mOut << std::endl;
    if (!estimate) return;
    mOut << mTexts.winningRate << estimate->winningRate << '%' << std::endl;
    const Vertex reply = estimate->expectedReply;
    if (reply == NoVertex) return;
    mOut << mTexts.expectedReply << GetX(reply) << ", " << GetY(reply) << ')' << std::endl;
}

}  // namespace nanaren
