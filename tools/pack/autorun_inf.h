// SPDX-License-Identifier: MIT
// The medium's autorun.inf, which Windows reads (as Windows-1252 text) to start the launcher,
// and the menu's name and icon it shows.
#pragma once

#include <string>

// The first line of every autorun.inf written here: how a medium made before is recognised.
constexpr const char* kPackMark = "; menushell-pack";

struct MenuIdentity {
    std::string name;  // app_name as the description holds it, Windows-1252
    std::string icon;  // app_icon as a Windows path from the medium's root; empty when none
};

// The app_name and app_icon of the menu in the current folder, read as the launcher reads them,
// the icon found as the launcher finds it.
MenuIdentity ReadMenuIdentity();

// The file's bytes, with CR LF line ends.
std::string AutorunInf(const MenuIdentity& menu);
