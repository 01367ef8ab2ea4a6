#pragma once

// Tells the accessibility layer what Qt's defaults get wrong for this
// program: its two windows are frames named by their titles, the combo
// boxes have names of their own instead of whatever text they hold, and an
// option's actions choose it as a click does.
void installAccessibility();
