// SPDX-License-Identifier: MIT
#include "platform/afx/file_find.h"

BOOL CFileFind::FindFile(LPCSTR pattern) {
    Close();
    if (pattern == nullptr) {
        return FALSE;
    }
    const std::string text = pattern;
    const std::size_t slash = text.find_last_of("\\/");
    m_strRoot = slash == std::string::npos ? "" : text.substr(0, slash + 1);
    m_hFind = FindFirstFileA(pattern, &m_next);
    m_bHasNext = m_hFind != INVALID_HANDLE_VALUE ? TRUE : FALSE;
    return m_bHasNext;
}

BOOL CFileFind::FindNextFile() {
    if (!m_bHasNext) {
        return FALSE;
    }
    m_found = m_next;
    m_bHasNext = ::FindNextFileA(m_hFind, &m_next);
    return m_bHasNext;
}

std::string CFileFind::GetFilePath() const {
    return m_strRoot + m_found.cFileName;
}

std::string CFileFind::GetFileName() const {
    return m_found.cFileName;
}

void CFileFind::Close() {
    if (m_hFind != INVALID_HANDLE_VALUE) {
        ::FindClose(m_hFind);
        m_hFind = INVALID_HANDLE_VALUE;
    }
    m_bHasNext = FALSE;
}
