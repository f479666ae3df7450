// How assistive technology sees the window's labels: each is read by its
// caption, exactly as shown; a pressable one is a button with a press action.
#pragma once

namespace marvesto {

// Safe to call more than once.
void InstallCaptionLabelAccessibility();

} // namespace marvesto
