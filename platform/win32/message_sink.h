// SPDX-License-Identifier: MIT
// Where message boxes go. By default each box is a line on standard error and a box shown by the
// backend; a tool that runs the launcher's loaders to learn why they fail takes the boxes instead.
#pragma once

#include <functional>
#include <string>

namespace win32 {

// Receives each box's caption and text, both UTF-8. Called on the thread that shows the box.
using MessageSink = std::function<void(const std::string& caption, const std::string& text)>;

// Boxes go to `sink` from now on, or are shown again when it is empty; returns the sink replaced.
MessageSink SetMessageSink(MessageSink sink);

}  // namespace win32
