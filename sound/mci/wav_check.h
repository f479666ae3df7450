// What the program checks of a WAV file before MCI plays it.
#pragma once

#include <string>

namespace marvesto {

// Whether the file's samples end before its header says they do. MCI would
// play such a file in part and report it played, and the game would wait in
// silence for the rest.
bool SamplesCutShort(const std::wstring& fileName);

} // namespace marvesto
