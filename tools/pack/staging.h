// SPDX-License-Identifier: MIT
// A medium is made in a hidden folder beside its destination and renamed into place only when
// whole, so that a failure or an interrupt never leaves a half-written one behind.
#pragma once

#include <memory>
#include <string>

class Staging {
  public:
    // ".NAME.pack-XXXXXX" beside `out` (an absolute path); null, with `error`, when it cannot
    // be made.
    static std::unique_ptr<Staging> Create(const std::string& out, std::string& error);
    // Removes the folder and whatever is still in it.
    ~Staging();
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;

    const std::string& Path() const { return m_path; }

    // Renames `made` (inside the staging folder) onto `out`; a medium already there is first
    // renamed into the staging folder, and goes with it.
    bool Install(const std::string& made, const std::string& out, std::string& error) const;

  private:
    explicit Staging(std::string path) : m_path(std::move(path)) {}
    std::string m_path;
};

// Removes `path` and, for a folder, everything in it, links themselves and not what they name.
void RemoveTree(const std::string& path);
