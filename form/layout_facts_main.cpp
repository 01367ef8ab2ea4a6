// Writes the main window's layout as data (layout_facts.h) to standard
// output, for the build to hand to tests and scripts.

#include "layout_facts.h"

#include <cstdio>

int main()
{
    return std::fputs(form::layoutFacts(form::form1Controls()).c_str(), stdout) < 0 ? 1 : 0;
}
