// SPDX-License-Identifier: MIT
// The loaders' walk of a description format: key and value tokens in the format's order, the
// entries a count announces right after it.
#pragma once

#include "description/field_format.h"
#include "description/key_value_file.h"

// Reads `format` from `file` into `record`. False at the first wrong or empty key, where the
// tokens run out, or at a picture that does not load (from g_strMediaFolder); what was stored
// until then stays. Tokens after the last setting are not looked at.
template <typename Record>
bool ReadFormat(KeyValueFile& file, const DescriptionFormat<Record>& format, Record& record);
