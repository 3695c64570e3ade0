// SPDX-License-Identifier: MIT
// A temporary folder that is the current directory for the life of the object, so that code
// which opens "shellmedia\..." relative to the current directory can be tested in isolation.
#pragma once

#include <string>

namespace testing_support {

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes `content` to `relativePath` (POSIX separators), creating folders on the way.
    void Write(const std::string& relativePath, const std::string& content) const;
    // Writes an executable shell script.
    void WriteScript(const std::string& relativePath, const std::string& body) const;
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
    std::string m_previous;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace testing_support
