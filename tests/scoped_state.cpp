#include "scoped_state.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace nanaren::testing {

std::uint32_t StateAfter(std::uint32_t state, int draws) {
    Random random;
    random.Restore(state);
    for (int i = 0; i < draws; ++i)
        random.Next();
    return random.State();
}

namespace {

// A new directory under the system's temporary directory, named at random so
// that tests running at the same time never share one.
std::string CreateFreshDirectory() {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path =
            std::filesystem::temp_directory_path() / ("nanaren-" + std::to_string(entropy()));
        if (std::filesystem::create_directory(path)) return path.string();
    }
    throw std::runtime_error("no fresh temporary directory");
}

}  // namespace

ScopedWorkingDirectory::ScopedWorkingDirectory()
    : mSavedPath(std::filesystem::current_path().string()) {
    mPath = CreateFreshDirectory();
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
