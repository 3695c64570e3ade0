// SPDX-License-Identifier: MIT
// The loaders and the validator read one format per description: for every setting of it, the
// validator looks at the line and value that the loader stores, and reports the line where the
// loader stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "description/formats.h"
#include "imaging/dib_image.h"
#include "tests/helpers/bmp_writer.h"
#include "tests/helpers/scratch_folder.h"
#include "tools/check/description_walk.h"

namespace {

using testing_support::BmpPicture;
using testing_support::EncodeBmp;
using testing_support::ScratchFolder;

// A value of the row's kind that differs from line to line. A picture names a file as wide as
// its line number; a count announces one entry, on the next line.
template <typename Record>
std::string ValueAt(const FieldFormat<Record>& row, int line) {
    const std::string n = std::to_string(line);
    switch (row.kind) {
        case ValueKind::kText:
            return "\"text " + n + "\"";
        case ValueKind::kName:
            return "name" + n + ".x";
        case ValueKind::kPicture:
            return "p" + n + ".bmp";
        case ValueKind::kFlag:
            return line % 2 == 0 ? "true" : "false";
        case ValueKind::kNumber:
            return std::to_string(100 + line);
        case ValueKind::kCount:
            return "1";
    }
    return {};
}

// What the loader stored for the row, written as the file gives it.
template <typename Record>
std::string Stored(const FieldFormat<Record>& row, const Record& r) {
    switch (row.kind) {
        case ValueKind::kText:
        case ValueKind::kName:
            return r.*row.text;
        case ValueKind::kPicture:
            return r.*row.picture == nullptr
                       ? ""
                       : "p" + std::to_string((r.*row.picture)->m_pInfo->bmiHeader.biWidth) +
                             ".bmp";
        case ValueKind::kFlag:
            return r.*row.flag == TRUE ? "true" : "false";
        case ValueKind::kNumber:
            return std::to_string(row.rect != nullptr ? (r.*row.rect).*row.side : r.*row.number);
        case ValueKind::kCount:
            return std::to_string(r.*row.count);
    }
    return {};
}

// What the validator found for the field the row fills.
template <typename Record>
Setting Walked(const WalkedDescription<Record>& w, const FieldFormat<Record>& row) {
    switch (row.kind) {
        case ValueKind::kText:
        case ValueKind::kName:
            return w.Get(row.text);
        case ValueKind::kPicture:
            return w.Get(row.picture);
        case ValueKind::kFlag:
            return w.Get(row.flag);
        case ValueKind::kNumber:
            return row.rect != nullptr ? w.Get(row.rect, row.side) : w.Get(row.number);
        case ValueKind::kCount:
            return w.Get(row.count);
    }
    return {};
}

std::string Text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// Writes every line of `format` into the file `load` reads, and checks both readings of it,
// then of it with each key written wrong.
template <typename Record>
void ExpectOneReading(const DescriptionFormat<Record>& format, const std::string& file,
                      const std::function<BOOL(Record&)>& load) {
    const ScratchFolder folder;
    std::vector<std::string> lines;
    std::vector<int> lineOf;
    for (const FieldFormat<Record>& row : format) {
        lineOf.push_back(static_cast<int>(lines.size()) + 1);
        lines.push_back(std::string(row.key) + " = " + ValueAt(row, lineOf.back()));
        if (row.kind == ValueKind::kPicture) {
            folder.Write("shellmedia/" + ValueAt(row, lineOf.back()),
                         EncodeBmp(BmpPicture{lineOf.back(), 1}));
        }
        if (row.kind == ValueKind::kCount) {
            lines.push_back("entry = e" + std::to_string(lines.size() + 1) + ".x");
        }
    }
    folder.Write(file, Text(lines));
    Record loaded;
    ASSERT_EQ(load(loaded), TRUE);
    Problems found;
    const WalkedDescription walked = WalkDescription(file, Text(lines), format, found);
    EXPECT_TRUE(found.empty()) << found.front().line << ": " << found.front().message;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const FieldFormat<Record>& row = format[i];
        const Setting s = Walked(walked, row);
        EXPECT_EQ(s.line, lineOf[i]) << row.key;
        EXPECT_EQ(s.value, Stored(row, loaded)) << row.key;
        if (row.kind == ValueKind::kCount) {
            const std::vector<Setting>& entries = walked.Entries(row.entries);
            ASSERT_EQ(entries.size(), 1u) << row.key;
            EXPECT_EQ(entries[0].line, lineOf[i] + 1) << row.key;
            EXPECT_EQ(std::vector<std::string>{entries[0].value}, loaded.*row.entries) << row.key;
        }
    }

    // A key written wrong: the loader stops there, and the validator says so at that line.
    for (std::size_t i = 0; i < format.size(); ++i) {
        std::vector<std::string> wrong = lines;
        wrong[lineOf[i] - 1].insert(0, "x");
        folder.Write(file, Text(wrong));
        Record refused;
        EXPECT_EQ(load(refused), FALSE) << format[i].key;
        Problems at;
        WalkDescription(file, Text(wrong), format, at);
        // After a list the wrong key reads as one more entry, so the validator names the key
        // where the file ends instead.
        const bool afterList = i > 0 && format[i - 1].kind == ValueKind::kCount;
        const std::string quoted = "\"" + std::string(format[i].key) + "\"";
        EXPECT_TRUE(std::any_of(at.begin(), at.end(), [&](const Problem& p) {
            return (afterList || p.line == lineOf[i]) &&
                   p.message.find(quoted) != std::string::npos;
        })) << format[i].key;
    }
}

TEST(FormatWalkTest, LoaderAndValidatorReadTheShellDescriptionAlike) {
    ExpectOneReading<ShellDescription>(ShellDescriptionFormat(), "shellmedia/menu.shl",
                                       [](ShellDescription& d) { return d.Load(); });
}

TEST(FormatWalkTest, LoaderAndValidatorReadAButtonDescriptionAlike) {
    SetMediaFolder("shellmedia\\");
    ExpectOneReading<ShellButton>(ShellButtonFormat(), "shellmedia/button.btn",
                                  [](ShellButton& b) { return b.Load("shellmedia\\button.btn"); });
    SetMediaFolder(" ");
}

}  // namespace
