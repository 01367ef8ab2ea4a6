#pragma once

// The main window's layout as the tests read it: JSON with each control's
// kind, container, caption, place in pixels within its container, tab index
// and spoken name, the option groups with their captions, and the title's
// question. Written at build time, so that no test reads the source.

#include "layout.h"

#include <string>
#include <vector>

std::string layoutFacts(const std::vector<form::Control> &layout);
