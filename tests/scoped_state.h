#pragma once

#include <cstdint>
#include <string>

#include "core/random.h"

namespace nanaren::testing {

// The generator's state after the given number of draws from a state.
std::uint32_t StateAfter(std::uint32_t state, int draws);

// Makes a fresh temporary directory the working directory for one test, so
// that think.txt can be written or left missing; removes it afterwards.
class ScopedWorkingDirectory {
  public:
    ScopedWorkingDirectory();
    ~ScopedWorkingDirectory();
    ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
    ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

    const std::string& Path() const { return mPath; }
    // Writes a file of that name in the directory.
    void WriteFile(const std::string& name, const std::string& contents) const;

  private:
    std::string mSavedPath;
    std::string mPath;
};

}  // namespace nanaren::testing
