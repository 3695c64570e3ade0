// SPDX-License-Identifier: MIT
#include "tests/helpers/scratch_folder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testing_support {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "menushell-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    m_path = pattern;
    m_previous = std::filesystem::current_path().string();
    std::filesystem::current_path(m_path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

void ScratchFolder::Write(const std::string& relativePath, const std::string& content) const {
    const std::filesystem::path path = std::filesystem::path(m_path) / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

void ScratchFolder::WriteScript(const std::string& relativePath, const std::string& body) const {
    Write(relativePath, "#!/bin/sh\n" + body);
    std::filesystem::permissions(std::filesystem::path(m_path) / relativePath,
                                 std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testing_support
