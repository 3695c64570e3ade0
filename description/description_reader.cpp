// SPDX-License-Identifier: MIT
#include "description/description_reader.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// atoi as the Windows C library does it: leading blanks, a sign, digits; out of range clamps.
int Atoi(const char* value) {
    const long long parsed = std::strtoll(value, nullptr, 10);
    if (parsed > INT_MAX) {
        return INT_MAX;
    }
    return parsed < INT_MIN ? INT_MIN : static_cast<int>(parsed);
}

}  // namespace

bool IsNull(const char* value) {
    return std::strcmp(value, "null") == 0;
}

const char* DescriptionReader::Setting(const char* key) {
    const char* token = m_file.NextToken();
    if (token == nullptr || *token == '\0' || std::strcmp(token, key) != 0) {
        return nullptr;
    }
    return m_file.NextToken();
}

const char* DescriptionReader::Entry() {
    const char* token = m_file.NextToken();
    if (token == nullptr || *token == '\0') {
        return nullptr;
    }
    return m_file.NextToken();
}

bool DescriptionReader::Store(const char* value, std::string& field) {
    if (value == nullptr) {
        return false;
    }
    if (!IsNull(value)) {
        field = value;
    }
    return true;
}

bool DescriptionReader::StoreFlag(const char* value, BOOL& flag) {
    if (value == nullptr) {
        return false;
    }
    if (!IsNull(value)) {
        flag = std::strcmp(value, "true") == 0 ? TRUE : FALSE;
    }
    return true;
}

bool DescriptionReader::StoreCount(const char* value, std::uint32_t& count) {
    if (value == nullptr) {
        return false;
    }
    if (!IsNull(value)) {
        // Counts are unsigned: "-1" is 4294967295, as the 32-bit original stores it.
        count = static_cast<std::uint32_t>(Atoi(value));
    }
    return true;
}

bool DescriptionReader::StoreNumber(const char* value, LONG& number) {
    if (value == nullptr) {
        return false;
    }
    if (!IsNull(value)) {
        number = Atoi(value);
    }
    return true;
}

bool DescriptionReader::Append(const char* value, std::vector<std::string>& list) {
    if (value == nullptr) {
        return false;
    }
    if (!IsNull(value)) {
        list.emplace_back(value);
    }
    return true;
}
