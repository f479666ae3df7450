// The real window wired to the game as the program wires it, with the game
// rig's stand-ins behind it. The program's end and every error report go to
// the rig's call log too; the end also tells Qt's event loops to return, as
// the program's does, and the rig takes that back when it is destroyed.
#pragma once

#include "caption_label.h"
#include "game_driver.h"
#include "game_rig.h"
#include "marvesto_window.h"
#include "program_exit.h"

#include <QPoint>
#include <QString>
#include <QWidget>

#include <stdexcept>

namespace marvesto::testing {

class WindowRig {
public:
    // The cue stand-in passes each cue on to `cues` when one is given.
    explicit WindowRig(CuePlayer* cues = nullptr);
    ~WindowRig();
    WindowRig(const WindowRig&) = delete;
    WindowRig& operator=(const WindowRig&) = delete;

    // As the program starts: the start-up runs while the window is hidden,
    // then the window is shown, active, with the focus on CASE 1.
    void Start(float storedHighScore = 0.0F);

    // The control's widget; a missing one, or one of another kind, is a test
    // bug and throws.
    template <typename Kind = QWidget>
    Kind* Widget(Control control) const {
        auto* widget = window.findChild<Kind*>(QString::fromStdString(control.Name()),
                                               Qt::FindDirectChildrenOnly);
        if (widget == nullptr) {
            throw std::logic_error("the window has no such control " + control.Name());
        }
        return widget;
    }
    QString Caption(Control label) const { return Widget<CaptionLabel>(label)->caption(); }
    // Names of the controls shown, sorted.
    Entries ShownControls() const;
    // Where the player clicks: at the control's centre, reaching whatever is
    // shown on top at that place.
    void Click(Control control) { ClickAt(Widget(control)->geometry().center()); }
    void ClickAt(QPoint position);
    // Clicks `count` more cases, taking the lowest numbers still shown.
    void ClickNext(int count);
    // A key pressed and released where the keyboard focus is, and the
    // window's events handled as its event loop does before the next key.
    void Key(Qt::Key key);

    MarvestoWindow window;
    ProgramExit exit;
    GameRig rig;
    GameDriver driver;
};

} // namespace marvesto::testing
