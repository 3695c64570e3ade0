// SPDX-License-Identifier: MIT
// Walks a description file's lines against the format the launcher's loaders read, in its order,
// and reports every key, value and count that would stop or mislead the launcher, not just the
// first.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "description/field_format.h"
#include "tools/check/problems.h"

struct Setting {
    const char* key = "";  // the key that gives it
    std::string value;     // Windows-1252, as written; empty when not given
    int line = 0;
    bool given = false;
};

// What a walked file gives, per setting of its format and in the format's order.
struct WalkedLines {
    std::vector<Setting> settings;
    std::vector<std::vector<Setting>> entries;  // a count's list; empty for other settings
};

struct KeySyntax {
    const char* key;
    ValueKind kind;
    const char* entriesName;  // a count's: what its entries name
};

WalkedLines WalkLines(const std::string& file, const std::string& bytes,
                      const std::vector<KeySyntax>& keys, Problems& out);

template <typename Record>
class WalkedDescription {
  public:
    WalkedDescription(const DescriptionFormat<Record>& format, WalkedLines lines)
        : m_format(format), m_lines(std::move(lines)) {}

    // The setting that fills `field` (a member of the record, or a rectangle and its side); not
    // given when the file never reached it.
    template <typename... Field>
    Setting Get(Field... field) const {
        const std::size_t i = IndexOf(field...);
        return i < m_lines.settings.size() ? m_lines.settings[i] : Setting{};
    }
    // The entries of the list that fills `list`, as many as the file gives.
    const std::vector<Setting>& Entries(std::vector<std::string> Record::*list) const {
        static const std::vector<Setting> none;
        const std::size_t i = IndexOf(list);
        return i < m_lines.entries.size() ? m_lines.entries[i] : none;
    }

  private:
    template <typename... Field>
    std::size_t IndexOf(Field... field) const {
        std::size_t i = 0;
        while (i < m_format.size() && !m_format[i].Fills(field...)) {
            ++i;
        }
        return i;
    }

    const DescriptionFormat<Record>& m_format;
    WalkedLines m_lines;
};

template <typename Record>
WalkedDescription<Record> WalkDescription(const std::string& file, const std::string& bytes,
                                          const DescriptionFormat<Record>& format, Problems& out) {
    std::vector<KeySyntax> keys;
    keys.reserve(format.size());
    for (const FieldFormat<Record>& row : format) {
        keys.push_back({row.key, row.kind, row.entriesName});
    }
    return {format, WalkLines(file, bytes, keys, out)};
}
