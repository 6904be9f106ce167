#include "command.h"

#include <istream>

namespace nanaren::gtp {

namespace {

bool IsDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// The line as GTP cleans it before it reads the words.
std::string Cleaned(std::string_view line) {
    std::string cleaned;
    for (const char c : line) {
        if (c == '#') break;
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            cleaned += ' ';
        } else if (byte >= 32 && byte != 127) {
            cleaned += c;
        }
    }
    return cleaned;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

}  // namespace

std::optional<Command> ParseCommand(std::string_view line) {
    std::vector<std::string> words = Words(Cleaned(line));
    if (words.empty()) return std::nullopt;
    Command command;
    std::size_t first = 0;
    if (IsDigits(words[0])) command.id = words[first++];
    if (first < words.size()) command.name = words[first++];
    command.arguments.assign(words.begin() + static_cast<std::ptrdiff_t>(first), words.end());
    return command;
}

std::string Framed(const Command& command, bool success, std::string_view text) {
    std::string framed = (success ? "=" : "?") + command.id;
    if (!text.empty() && text.front() != '\n') framed += ' ';
    framed += text;
    return framed + "\n\n";
}

bool ReadCommandLine(std::istream& in, std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    int c = in.get();
    if (c == std::char_traits<char>::eof()) return false;
    for (; c != std::char_traits<char>::eof() && c != '\n'; c = in.get()) {
        if (line.size() < MaxLineLength) {
            line += static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
    return true;
}

}  // namespace nanaren::gtp
