// SPDX-License-Identifier: MIT
#pragma once

// Registers the program's dialog templates with the window layer; called once at start-up.
void RegisterShellTemplates();
