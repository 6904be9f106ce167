#include "scoped_state.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace nanaren::testing {

std::uint32_t StateAfter(std::uint32_t state, int draws) {
    ScopedRandomState scoped(state);
    for (int i = 0; i < draws; ++i)
        NextRandom();
    return Random;
}

ScopedWorkingDirectory::ScopedWorkingDirectory()
    : mSavedPath(std::filesystem::current_path().string()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "nanaren-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    mPath = pattern;
    std::filesystem::current_path(mPath);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
    std::filesystem::current_path(mSavedPath);
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

void ScopedWorkingDirectory::WriteFile(const std::string& name, const std::string& contents) const {
    std::ofstream(std::filesystem::path(mPath) / name, std::ios::binary) << contents;
}

}  // namespace nanaren::testing
