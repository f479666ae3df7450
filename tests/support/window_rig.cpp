#include "window_rig.h"

#include "window_routing.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <algorithm>

namespace marvesto::testing {

WindowRig::WindowRig(CuePlayer* cues)
    : exit([this](int status) {
          rig.log.Add("exit " + std::to_string(status));
          QCoreApplication::exit(status);
      }),
      rig({.window = &window, .cues = cues, .end = &exit}),
      driver(window, rig.game, exit,
             [this](const std::string& message) { rig.log.Add("report " + message); }) {
    RouteToDriver(window, driver);
}

WindowRig::~WindowRig() {
    // Until the application's own loop has run, every local event loop, and
    // so every wait for a cue, would return at once.
    if (exit.Ended()) {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
}

void WindowRig::Start(float storedHighScore) {
    rig.store.stored = storedHighScore;
    driver.Form_Load();
    window.show();
    window.activateWindow();
    window.FocusFirstCase();
    if (!QTest::qWaitForWindowActive(&window)) {
        throw std::runtime_error("the window never became active");
    }
}

Entries WindowRig::ShownControls() const {
    Entries shown;
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isHidden()) {
            shown.push_back(control->objectName().toStdString());
        }
    }
    std::sort(shown.begin(), shown.end());
    return shown;
}

void WindowRig::ClickAt(QPoint position) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, position);
}

void WindowRig::ClickNext(int count) {
    for (int k = 1; k <= kCaseCount && count > 0; ++k) {
        if (!Widget(Control::Command(k))->isHidden()) {
            Click(Control::Command(k));
            --count;
        }
    }
}

void WindowRig::Key(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &window, key);
    // What the key leaves to the window's event loop, such as passing the
    // focus on, is done before the player's next key.
    QCoreApplication::processEvents();
}

} // namespace marvesto::testing
