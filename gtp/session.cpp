#include "session.h"

#include <istream>
#include <ostream>
#include <string>
#include <thread>

namespace nanaren::gtp {

namespace {

// The next line of input.
struct InputLine {
    bool read = false;     // false at the end of the input
    bool tooLong = false;  // it was cut at MaxLineLength
    std::string text;
};

InputLine ReadLine(std::istream& in) {
    InputLine line;
    line.read = ReadCommandLine(in, line.text, line.tooLong);
    return line;
}

// Runs the analysis while this thread waits for the next line, which it
// returns. Only the analysis writes to out until then.
InputLine AnalyzeUntilNextLine(Engine& engine, const AnalysisRequest& request, std::istream& in,
                               std::ostream& out) {
    std::atomic<bool> stop{false};
    std::thread search([&] {
        engine.Analyze(request, stop, [&](const std::string& text) {
            out << text << '\n' << std::flush;
        });
    });
    InputLine next = ReadLine(in);
    stop = true;
    search.join();
    out << '\n' << std::flush;
    return next;
}

}  // namespace

void RunSession(Engine& engine, std::istream& in, std::ostream& out) {
    // A read must not flush out while the analysis thread writes to it.
    in.tie(nullptr);
    for (InputLine line = ReadLine(in); line.read;) {
        if (line.tooLong) {
            out << "? the line is longer than " << MaxLineLength << " bytes\n\n" << std::flush;
            line = ReadLine(in);
            continue;
        }
        const std::optional<Command> command = ParseCommand(line.text);
        if (!command) {
            line = ReadLine(in);
            continue;
        }
        const Answer answer = engine.Execute(*command);
        out << answer.text << std::flush;
        if (answer.quit) return;
        line = answer.analysis ? AnalyzeUntilNextLine(engine, *answer.analysis, in, out)
                               : ReadLine(in);
    }
}

}  // namespace nanaren::gtp
