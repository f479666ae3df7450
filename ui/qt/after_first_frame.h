// Work the player should not wait for before the window is on screen.
#pragma once

#include <QObject>
#include <QWidget>

#include <functional>

namespace marvesto {

// Runs `work` once, on the turn of the event loop after the window's first
// paint: the frame reaches the screen once that paint and the flush after it
// are done. Nothing runs if `owner` is destroyed first.
void AfterFirstFrame(QWidget& window, QObject& owner, std::function<void()> work);

} // namespace marvesto
