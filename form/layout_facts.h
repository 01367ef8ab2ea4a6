#pragma once

// The main window's layout as the tests and scripts read it: JSON with the
// client area's size and each control's kind, container, caption, place in
// pixels within its container, tab index and spoken name, the option groups
// with their captions, the order a flowing page reads the window's controls
// in, the school box's list, the title's question and About's title. The
// build writes it (cmake/LayoutFacts.cmake), so that nothing reads the source.

#include "layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace form {

std::string layoutFacts(const std::vector<Control> &layout);

// `text` as a JSON string, quotes included.
std::string jsonString(std::string_view text);

} // namespace form
