// SPDX-License-Identifier: MIT
// Walks a description file's lines against the keys the launcher reads, in their order, and
// reports every key, value and count that would stop or mislead the launcher, not just the first.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/check/problems.h"

enum class ValueKind { kText, kFlag, kNumber, kCount, kName };

struct Field {
    const char* key;
    ValueKind kind;
    const char* listOf = nullptr;  // for a count: what its entries name ("movies", "buttons")
};

struct Setting {
    std::string value;  // Windows-1252, as written; empty when not given
    int line = 0;
    bool given = false;
};

struct WalkedDescription {
    std::map<std::string, Setting> settings;
    std::map<std::string, std::vector<Setting>> lists;  // entries of each count's list

    // The setting of `key`; not given when the file never reached it.
    Setting Get(const char* key) const {
        const auto it = settings.find(key);
        return it == settings.end() ? Setting{} : it->second;
    }
};

// The keys of a shell description and of a button description, in file order.
const std::vector<Field>& ShellFields();
const std::vector<Field>& ButtonFields();

WalkedDescription WalkDescription(const std::string& file, const std::string& bytes,
                                  const std::vector<Field>& fields, Problems& out);
