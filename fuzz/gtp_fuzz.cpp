// The GTP engine's command reader on arbitrary input: every line read as a
// command (at most 64 of them) and answered, an analysis run to its end.
// Each answer must be framed as GTP frames it, and no check or sanitizer may
// fire. Commands that name files are left out, so that no input writes one.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "command.h"
#include "core/check.h"
#include "engine.h"

namespace {

bool NamesAFile(const nanaren::gtp::Command& command) {
    return (command.name == "loadsgf" || command.name == "printsgf") && !command.arguments.empty();
}

bool IsFramed(const std::string& answer) {
    if (answer.empty() || (answer[0] != '=' && answer[0] != '?')) return false;
    return answer.size() >= 3 && answer.compare(answer.size() - 2, 2, "\n\n") == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A search of a few playouts keeps each genmove and analysis quick; the
    // engine and its tree are made once, and each input starts a new game.
    static nanaren::gtp::Engine engine(nanaren::ExactSettings{12}, [] { return std::time_t{7}; });
    engine.Execute(*nanaren::gtp::ParseCommand("clear_board"));
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    bool tooLong = false;
    for (int count = 0; count < 64 && nanaren::gtp::ReadCommandLine(in, line, tooLong); ++count) {
        const auto command = nanaren::gtp::ParseCommand(line);
        if (!command || NamesAFile(*command)) continue;
        const nanaren::gtp::Answer answer = engine.Execute(*command);
        if (answer.quit) break;
        if (!answer.analysis) {
            NANAREN_ASSERT(IsFramed(answer.text));
            continue;
        }
        NANAREN_ASSERT(answer.text == "=" + command->id + "\n");
        const std::atomic<bool> stop{false};
        engine.Analyze(*answer.analysis, stop, [](const std::string& info) {
            NANAREN_ASSERT(info.rfind("info move ", 0) == 0 &&
                           info.find('\n') == std::string::npos);
        });
    }
    return 0;
}
