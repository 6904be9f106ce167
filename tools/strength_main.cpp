// nanaren-strength: docs/strength.md and web/strength.json from the match
// tool's files, stamped with the signature of the strong player built here.

#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "signature.h"
#include "strength.h"

namespace {

constexpr const char* Usage =
    "usage: nanaren-strength --markdown FILE --json FILE CSV...\n"
    "  Reads the games of the match tool's files (--csv) and writes the levels'\n"
    "  ladder, their games against the line-builders, any other matches and the\n"
    "  time per move, stamped with the strong player's signature.\n";

bool Write(const std::string& path, const auto& write) {
    std::ofstream out(path);
    write(out);
    out.close();
    if (out) return true;
    std::cerr << "nanaren-strength: cannot write " << path << '\n';
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::string markdown;
    std::string json;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "--markdown" || argument == "--json") && i + 1 < argc) {
            (argument == "--markdown" ? markdown : json) = argv[++i];
        } else {
            files.push_back(argument);
        }
    }
    if (markdown.empty() || json.empty() || files.empty()) {
        std::cerr << Usage;
        return 2;
    }
    std::vector<nanaren::match::CsvGame> games;
    for (const std::string& file : files) {
        std::ifstream in(file);
        std::optional<nanaren::match::CsvError> error;
        const auto read = nanaren::match::ReadCsv(in, error);
        if (!in.is_open() || error) {
            std::cerr << "nanaren-strength: " << file;
            if (error) std::cerr << ", line " << error->line << ": " << error->reason;
            std::cerr << '\n';
            return 1;
        }
        games.insert(games.end(), read.begin(), read.end());
    }
    const std::uint64_t signature = nanaren::PlayStrongSignatureGames().hash;
    const bool written = Write(markdown,
                               [&](std::ostream& out) {
                                   nanaren::match::WriteStrengthMarkdown(games, signature, out);
                               }) &&
                         Write(json, [&](std::ostream& out) {
                             nanaren::match::WriteStrengthJson(games, signature, out);
                         });
    return written ? 0 : 1;
}
