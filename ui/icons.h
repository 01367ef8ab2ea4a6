#pragma once

#include <QIcon>

// The two windows' icons: 32 x 32, 16 colours. They are compiled in as XPM,
// which Qt reads itself, so no image plugin is probed or loaded at start.
QIcon form1Icon();
QIcon form2Icon();
