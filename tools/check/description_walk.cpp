// SPDX-License-Identifier: MIT
#include "tools/check/description_walk.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "tools/check/text_checks.h"

namespace {

struct Line {
    int number;
    std::vector<std::string> tokens;
};

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

// A key that the text checks already explain: a byte order mark before it.
bool ExplainedElsewhere(const std::string& key, const std::string& expected) {
    return key.rfind("\xEF\xBB\xBF", 0) == 0 && key.substr(3) == expected;
}

// What atoi reads whole: blanks, a sign, digits, and nothing after them.
bool IsInteger(const std::string& value) {
    std::size_t i = value.find_first_not_of(" \t");
    if (i != std::string::npos && (value[i] == '-' || value[i] == '+')) {
        ++i;
    }
    return i != std::string::npos && i < value.size() &&
           std::all_of(value.begin() + static_cast<std::ptrdiff_t>(i), value.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

void CheckValue(const std::string& file, const Line& line, const KeySyntax& field, Problems& out) {
    const std::string& value = line.tokens[1];
    // A lone CR in the value is the text checks' to explain.
    if (value == "null" || value.find('\r') != std::string::npos) {
        return;
    }
    switch (field.kind) {
        case ValueKind::kFlag:
            if (value != "true" && value != "false") {
                out.push_back({file, line.number,
                               "\"" + std::string(field.key) + "\" must be true or false, found " +
                                   Quoted(value) + " (read as false)"});
            }
            break;
        case ValueKind::kNumber:
        case ValueKind::kCount:
            if (!IsInteger(value)) {
                out.push_back({file, line.number,
                               "\"" + std::string(field.key) + "\" must be a number, found " +
                                   Quoted(value)});
            } else if (field.kind == ValueKind::kCount && value.find('-') != std::string::npos) {
                out.push_back({file, line.number,
                               "\"" + std::string(field.key) + "\" must not be negative, found " +
                                   Quoted(value)});
            }
            break;
        default:
            break;
    }
}

// A key joined to its value by a tab is one token to the launcher; the text checks say so, and
// the walk goes on with the two parts the author meant.
std::vector<std::string> SplitAtTab(std::vector<std::string> tokens) {
    const std::size_t tab = tokens[0].find('\t');
    if (tab != std::string::npos) {
        const std::size_t value = tokens[0].find_first_not_of('\t', tab);
        const std::string rest = value == std::string::npos ? "" : tokens[0].substr(value);
        tokens[0].erase(tab);
        if (!rest.empty()) {
            tokens.insert(tokens.begin() + 1, rest);
        }
    }
    return tokens;
}

class Walker {
  public:
    Walker(const std::string& file, const std::string& bytes, Problems& out)
        : m_file(file), m_out(out) {
        for (TokenizedLine& line : TokenizeLines(bytes)) {
            m_lines.push_back({line.number, SplitAtTab(std::move(line.tokens))});
        }
        m_lastLine = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    }

    bool AtEnd() const { return m_next >= m_lines.size(); }
    const Line& Peek() const { return m_lines[m_next]; }
    const Line& Take() { return m_lines[m_next++]; }

    // Reads the line of keys[k] into `into`; false when the file has ended. A line whose key
    // comes later in `keys` is left for it when keys[k] appears nowhere after: the author left
    // it out.
    bool Expect(const std::vector<KeySyntax>& keys, std::size_t k, Setting& into) {
        const KeySyntax& field = keys[k];
        if (AtEnd()) {
            m_out.push_back({m_file, m_lastLine == 0 ? 1 : m_lastLine,
                             "ends before \"" + std::string(field.key) + "\""});
            return false;
        }
        const bool comesLater =
            std::any_of(m_lines.begin() + static_cast<std::ptrdiff_t>(m_next), m_lines.end(),
                        [&](const Line& l) { return l.tokens[0] == field.key; });
        for (std::size_t later = k + 1; later < keys.size(); ++later) {
            if (!comesLater && Peek().tokens[0] == keys[later].key) {
                m_out.push_back({m_file, Peek().number,
                                 "\"" + std::string(field.key) + "\" is missing before \"" +
                                     keys[later].key + "\" (keys must come in their fixed order)"});
                return true;
            }
        }
        const Line& line = Take();
        const std::string& key = line.tokens[0];
        if (key != field.key && !ExplainedElsewhere(key, field.key)) {
            if (SameIgnoringCase(key, field.key)) {
                m_out.push_back({m_file, line.number,
                                 "key " + Quoted(key) + " must be written \"" + field.key +
                                     "\" (keys are case-sensitive)"});
            } else {
                m_out.push_back({m_file, line.number,
                                 "expected key \"" + std::string(field.key) + "\", found " +
                                     Quoted(key) + " (keys must come in their fixed order)"});
            }
        }
        if (line.tokens.size() < 2) {
            m_out.push_back(
                {m_file, line.number, "\"" + std::string(field.key) + "\" has no value"});
            return true;
        }
        if (line.tokens.size() > 2) {
            m_out.push_back({m_file, line.number,
                             "\"" + std::string(field.key) + "\" has " +
                                 std::to_string(line.tokens.size() - 1) +
                                 " values: write a value with spaces in double quotes"});
        }
        CheckValue(m_file, line, field, m_out);
        into = {field.key, line.tokens[1], line.number, true};
        return true;
    }

    // The entries of a count's list: every line up to the one whose key is `nextKey` (null: to
    // the end of the file).
    void List(const KeySyntax& count, const Setting& given, const char* nextKey,
              std::vector<Setting>& entries) {
        while (!AtEnd() && (nextKey == nullptr || !SameIgnoringCase(Peek().tokens[0], nextKey))) {
            const Line& line = Take();
            if (line.tokens.size() < 2) {
                m_out.push_back({m_file, line.number,
                                 "an entry of \"" + std::string(count.key) + "\" names nothing"});
                continue;
            }
            entries.push_back({count.key, line.tokens[1], line.number, true});
        }
        const long long claimed = std::atoll(given.value.c_str());
        if (given.given && given.value != "null" &&
            claimed != static_cast<long long>(entries.size())) {
            m_out.push_back({m_file, given.line,
                             "\"" + std::string(count.key) + "\" is " + std::to_string(claimed) +
                                 " but the " + count.entriesName + " listed after it are " +
                                 std::to_string(entries.size())});
        }
    }

    void Rest() {
        while (!AtEnd()) {
            const Line& line = Take();
            m_out.push_back({m_file, line.number,
                             "unexpected " + Quoted(line.tokens[0]) + " after the last key"});
        }
    }

  private:
    std::string m_file;
    Problems& m_out;
    std::vector<Line> m_lines;
    std::size_t m_next = 0;
    int m_lastLine = 0;
};

}  // namespace

WalkedLines WalkLines(const std::string& file, const std::string& bytes,
                      const std::vector<KeySyntax>& keys, Problems& out) {
    WalkedLines walked;
    for (const KeySyntax& k : keys) {
        Setting notGiven;
        notGiven.key = k.key;
        walked.settings.push_back(notGiven);
    }
    walked.entries.resize(keys.size());
    Walker walker(file, bytes, out);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!walker.Expect(keys, i, walked.settings[i])) {
            return walked;
        }
        if (keys[i].kind == ValueKind::kCount) {
            walker.List(keys[i], walked.settings[i],
                        i + 1 < keys.size() ? keys[i + 1].key : nullptr, walked.entries[i]);
        }
    }
    walker.Rest();
    return walked;
}
