#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <variant>

#include "coach/analysis.h"
#include "command_line.h"
#include "console_game.h"
#include "interactive_game.h"
#include "review_printer.h"
#ifdef _WIN32
#include "windows_console.h"
#endif

namespace {

// The review's level: the one given, else the default.
int ReviewLevel(const nanaren::ConsoleOptions& options) {
    const auto* level =
        options.player ? std::get_if<nanaren::LevelChoice>(&*options.player) : nullptr;
    return level ? level->level : nanaren::DefaultReviewLevel;
}

int Review(const nanaren::CommandLine& line) {
#ifdef _WIN32
    nanaren::ShowTextOnConsole(line.options.language, line.options.encoding);
#endif
    const nanaren::ReviewRequest request{line.reviewFile, ReviewLevel(line.options),
                                         line.options.language, line.options.encoding,
                                         line.reviewSgf};
    const bool reviewed = nanaren::ReviewGameFile(request, std::cout, std::cerr);
    return reviewed ? EXIT_SUCCESS : EXIT_FAILURE;
}

// The interactive game at standard input and output, its records saved in
// the working directory.
void PlayInteractive(const nanaren::ConsoleOptions& options) {
#ifdef _WIN32
    const bool sequencesWithoutTerm = nanaren::TakeTerminalSequences();
#else
    const bool sequencesWithoutTerm = false;
#endif
    const nanaren::InteractiveSetting setting{
        std::cin, std::cout, nanaren::AbilitiesFromEnvironment(sequencesWithoutTerm),
        [] { return std::time(nullptr); }, std::filesystem::current_path()};
    nanaren::PlayInteractive(setting, options);
}

int Play(const nanaren::ConsoleOptions& options) {
#ifdef _WIN32
    nanaren::ShowTextOnConsole(options.language, options.encoding);
#endif
    try {
        if (options.interactive) {
            PlayInteractive(options);
        } else {
            nanaren::PlayGame(options);
        }
    } catch (const std::bad_alloc&) {
        std::cerr << "nanaren: not enough memory for the search tree" << std::endl;
        return EXIT_FAILURE;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const auto request = nanaren::ParseCommandLine({argv + 1, argv + argc});
    if (const auto* error = std::get_if<std::string>(&request)) {
        std::cerr << "nanaren: " << *error << "\nTry 'nanaren --help' for the options.\n";
        return 2;
    }
    const auto& line = std::get<nanaren::CommandLine>(request);
    switch (line.action) {
        case nanaren::CommandLine::Action::Help:
            std::cout << nanaren::HelpText();
            return EXIT_SUCCESS;
        case nanaren::CommandLine::Action::Version:
            std::cout << "nanaren " NANAREN_VERSION "\n";
            return EXIT_SUCCESS;
        case nanaren::CommandLine::Action::Review:
            return Review(line);
        case nanaren::CommandLine::Action::Play:
            break;
    }
    return Play(line.options);
}
