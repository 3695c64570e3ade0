// SPDX-License-Identifier: MIT
// The two description formats: the shell description ("shellmedia\*.shl") and a button
// description (named in the shell description's button list), each key in its fixed order.
#pragma once

#include "description/field_format.h"
#include "description/shell_button.h"
#include "description/shell_description.h"

const DescriptionFormat<ShellDescription>& ShellDescriptionFormat();
const DescriptionFormat<ShellButton>& ShellButtonFormat();
