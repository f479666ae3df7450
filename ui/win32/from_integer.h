// Win32 hands over handles and pointers as integers: in message parameters,
// in a window's stored data, and a child's id in the place of a menu. They
// are turned back here, in one place.
#pragma once

#include <windows.h>

namespace marvesto {

template <typename Handle>
Handle FromInteger(INT_PTR value) {
    return reinterpret_cast<Handle>(value); // NOLINT(performance-no-int-to-ptr)
}

} // namespace marvesto
