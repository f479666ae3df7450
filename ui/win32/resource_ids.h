// The ids of the program's resources, for the resource script and the code.
#pragma once

// A macro, as the resource compiler reads no C++.
#define MARVESTO_ICON 1
