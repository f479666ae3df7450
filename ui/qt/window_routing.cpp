#include "window_routing.h"

namespace marvesto {

void RouteToDriver(MarvestoWindow& window, GameDriver& driver) {
    QObject::connect(&window, &MarvestoWindow::caseClicked, &window,
                     [&driver](int k) { driver.CaseClicked(k); });
    QObject::connect(&window, &MarvestoWindow::dealClicked, &window,
                     [&driver] { driver.DealClicked(); });
    QObject::connect(&window, &MarvestoWindow::endClicked, &window,
                     [&driver] { driver.EndClicked(); });
    QObject::connect(&window, &MarvestoWindow::closeRequested, &window,
                     [&driver] { driver.CloseRequested(); });
}

} // namespace marvesto
