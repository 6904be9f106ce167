#include "report_printer.h"

#include <ostream>

#include "messages.h"

namespace nanaren {

void ReportPrinter::Started() {
    mOut << messages::Thinking << std::endl;
}

void ReportPrinter::Progress(std::int64_t percent) {
    mOut << "..." << percent << '%' << std::endl;
}

void ReportPrinter::Finished(const std::optional<SearchEstimate>& estimate) {
    mOut << std::endl;
    if (!estimate) return;
    mOut << messages::WinningRate << estimate->winningRate << '%' << std::endl;
    const Vertex reply = estimate->expectedReply;
    if (reply == NoVertex) return;
    mOut << messages::ExpectedReply << GetX(reply) << ", " << GetY(reply) << ')' << std::endl;
}

}  // namespace nanaren
