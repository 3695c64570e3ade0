// SPDX-License-Identifier: MIT
// Reads a description file by position: each setting is a key token that must be exactly the
// expected name, then its value token; "null" leaves the field as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "description/key_value_file.h"
#include "platform/windows.h"

class DescriptionReader {
  public:
    explicit DescriptionReader(KeyValueFile& file) : m_file(file) {}

    // The value of setting `key`; null when the key is wrong or empty or the tokens run out.
    const char* Setting(const char* key);
    // The value of a list entry, whose key may be any text; null as above.
    const char* Entry();

    // Store `value` unless it is "null": text as it stands, a flag TRUE only for "true", a count or
    // number as atoi reads it. False when `value` is null (the read failed).
    static bool Store(const char* value, std::string& field);
    static bool StoreFlag(const char* value, BOOL& flag);
    static bool StoreCount(const char* value, std::uint32_t& count);
    static bool StoreNumber(const char* value, LONG& number);
    static bool Append(const char* value, std::vector<std::string>& list);

  private:
    KeyValueFile& m_file;
};

// True when `value` is the word that leaves a field unchanged.
bool IsNull(const char* value);
