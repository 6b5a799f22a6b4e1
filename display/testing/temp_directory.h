#pragma once

// A fresh directory under the system's temporary folder, removed with everything in it
// when the object goes. EnterAsCurrent makes it the current directory until then.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class TempDirectory {
  public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& Path() const { return path_; }
    // Writes (or replaces) a file; false when it cannot be written.
    bool Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    bool Write(const std::string& name, const std::string& text) const;
    // The current directory becomes this one; the old one comes back on destruction.
    void EnterAsCurrent();

  private:
    std::string path_;
    std::string previous_;
};

}  // namespace platform
