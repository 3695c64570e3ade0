// SPDX-License-Identifier: MIT
#include "description/format_reader.h"

#include <new>

#include "description/description_reader.h"
#include "description/shell_button.h"
#include "description/shell_description.h"
#include "imaging/dib_image.h"

namespace {

// Stores a picture name and loads the picture at once, so a missing file fails the load even
// when a later key is wrong.
bool ReadPicture(const char* value, std::string& name, DibImage*& picture) {
    if (value == nullptr) {
        return false;
    }
    if (IsNull(value)) {
        return true;
    }
    name = value;
    delete picture;
    picture = new (std::nothrow) DibImage;
    return picture != nullptr && picture->Load((g_strMediaFolder + name).c_str()) == TRUE;
}

template <typename Record>
bool ReadSetting(DescriptionReader& r, const FieldFormat<Record>& field, Record& record) {
    const char* value = r.Setting(field.key);
    switch (field.kind) {
        case ValueKind::kText:
        case ValueKind::kName:
            return DescriptionReader::Store(value, record.*field.text);
        case ValueKind::kPicture:
            return ReadPicture(value, record.*field.text, record.*field.picture);
        case ValueKind::kFlag:
            return DescriptionReader::StoreFlag(value, record.*field.flag);
        case ValueKind::kNumber:
            return DescriptionReader::StoreNumber(value, field.rect != nullptr
                                                             ? (record.*field.rect).*field.side
                                                             : record.*field.number);
        case ValueKind::kCount:
            return DescriptionReader::StoreCount(value, record.*field.count);
    }
    return false;
}

}  // namespace

template <typename Record>
bool ReadFormat(KeyValueFile& file, const DescriptionFormat<Record>& format, Record& record) {
    DescriptionReader r(file);
    for (const FieldFormat<Record>& field : format) {
        if (!ReadSetting(r, field, record)) {
            return false;
        }
        if (field.kind != ValueKind::kCount) {
            continue;
        }
        // The count is compared as stored: "-1" reads entries until the tokens run out.
        for (std::uint32_t i = 0; i < record.*field.count; ++i) {
            if (!DescriptionReader::Append(r.Entry(), record.*field.entries)) {
                return false;
            }
        }
    }
    return true;
}

template bool ReadFormat(KeyValueFile&, const DescriptionFormat<ShellDescription>&,
                         ShellDescription&);
template bool ReadFormat(KeyValueFile&, const DescriptionFormat<ShellButton>&, ShellButton&);
