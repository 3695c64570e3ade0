// SPDX-License-Identifier: MIT
// A description format written down once: the keys of one kind of file in their fixed order, the
// kind of each value and the field of the record that takes it. The loaders walk a format and
// stop at the first wrong key; the validator walks the same format and reports every problem.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/windows.h"

class DibImage;

enum class ValueKind {
    kText,     // kept as written
    kName,     // a file in the media folder, kept as written
    kPicture,  // a BMP file in the media folder, loaded as soon as its pair is read
    kFlag,     // TRUE only for "true"
    kNumber,   // as atoi reads it
    kCount,    // as atoi reads it, unsigned; that many list entries follow its pair
};

// One setting of a format. Only the members its kind names are set.
template <typename Record>
struct FieldFormat {
    const char* key;
    ValueKind kind;
    std::string Record::*text = nullptr;   // kText, kName; kPicture: the picture's name
    DibImage* Record::*picture = nullptr;  // kPicture, owned by the record
    BOOL Record::*flag = nullptr;
    LONG Record::*number = nullptr;
    RECT Record::*rect = nullptr;  // kNumber: a side of this rectangle, instead of `number`
    LONG RECT::*side = nullptr;
    std::uint32_t Record::*count = nullptr;
    std::vector<std::string> Record::*entries = nullptr;  // kCount: the list its entries fill
    const char* entriesName = nullptr;                    // kCount: what the entries name

    // Whether this setting fills `field`; a picture's setting is known by its picture, as two
    // pictures may share a name field.
    template <typename Member>
    bool Fills(Member Record::*field) const {
        bool fills = false;
        if constexpr (std::is_same_v<Member, std::string>) {
            fills = kind != ValueKind::kPicture && text == field;
        }
        if constexpr (std::is_same_v<Member, DibImage*>) {
            fills = picture == field;
        }
        if constexpr (std::is_same_v<Member, BOOL>) {
            fills = fills || flag == field;
        }
        if constexpr (std::is_same_v<Member, LONG>) {
            fills = fills || number == field;
        }
        if constexpr (std::is_same_v<Member, std::uint32_t>) {
            fills = fills || count == field;
        }
        if constexpr (std::is_same_v<Member, std::vector<std::string>>) {
            fills = entries == field;
        }
        return fills;
    }
    bool Fills(RECT Record::*r, LONG RECT::*s) const { return rect == r && side == s; }

    // The rows of a format, one maker per kind.
    static FieldFormat Text(const char* key, std::string Record::*field) {
        return {key, ValueKind::kText, field};
    }
    static FieldFormat Name(const char* key, std::string Record::*field) {
        return {key, ValueKind::kName, field};
    }
    static FieldFormat Picture(const char* key, std::string Record::*name,
                               DibImage* Record::*picture) {
        return {key, ValueKind::kPicture, name, picture};
    }
    static FieldFormat Flag(const char* key, BOOL Record::*field) {
        FieldFormat row{key, ValueKind::kFlag};
        row.flag = field;
        return row;
    }
    static FieldFormat Number(const char* key, LONG Record::*field) {
        FieldFormat row{key, ValueKind::kNumber};
        row.number = field;
        return row;
    }
    static FieldFormat Side(const char* key, RECT Record::*rect, LONG RECT::*side) {
        FieldFormat row{key, ValueKind::kNumber};
        row.rect = rect;
        row.side = side;
        return row;
    }
    static FieldFormat Count(const char* key, std::uint32_t Record::*count,
                             std::vector<std::string> Record::*entries, const char* entriesName) {
        FieldFormat row{key, ValueKind::kCount};
        row.count = count;
        row.entries = entries;
        row.entriesName = entriesName;
        return row;
    }
};

template <typename Record>
using DescriptionFormat = std::vector<FieldFormat<Record>>;

// The setting of `format` that fills `field`; null when none does.
template <typename Record, typename... Field>
const FieldFormat<Record>* FindField(const DescriptionFormat<Record>& format, Field... field) {
    for (const FieldFormat<Record>& row : format) {
        if (row.Fills(field...)) {
            return &row;
        }
    }
    return nullptr;
}
