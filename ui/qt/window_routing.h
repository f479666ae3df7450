// Hands the Qt window's clicks, keys and close request to the game driver.
#pragma once

#include "game_driver.h"
#include "marvesto_window.h"

namespace marvesto {

// For as long as the window lives; the driver must outlive it.
void RouteToDriver(MarvestoWindow& window, GameDriver& driver);

} // namespace marvesto
