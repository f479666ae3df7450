// Windows' error codes as std::error_code, with the system's own messages.
#pragma once

#include <windows.h>

#include <system_error>

namespace marvesto {

// The missing file and folder errors come as the portable "no such file"
// condition, which the store tells from the others.
std::error_code Win32Error(DWORD code);
std::error_code LastWin32Error();

} // namespace marvesto
