// SPDX-License-Identifier: MIT
// CFileFind: walks the files that match a pattern such as "shellmedia\*.shl", in the stable order
// of FindFirstFileA (by name, ignoring case).
#pragma once

#include <string>

#include "platform/windows.h"

class CFileFind {
  public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // Starts a search; TRUE when at least one file matches. Call FindNextFile before reading.
    BOOL FindFile(LPCSTR pattern);
    // Steps to the next match; FALSE when the match stepped to is the last one.
    BOOL FindNextFile();
    // The match stepped to: the pattern's folder followed by the name, and the name alone.
    std::string GetFilePath() const;
    std::string GetFileName() const;
    void Close();

  private:
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    std::string m_strRoot;
    WIN32_FIND_DATAA m_found{};
    WIN32_FIND_DATAA m_next{};
    BOOL m_bHasNext = FALSE;
};
