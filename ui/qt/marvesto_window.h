// The game's one window, MARVESTO: 26 case buttons, the prize ladder and the
// status labels, each at a fixed place. The game changes it only through
// BoardView; its clicks and its close request leave it as signals.
#pragma once

#include "board_view.h"
#include "caption_label.h"
#include "control.h"
#include "visible_controls.h"

#include <QPushButton>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

namespace marvesto {

class MarvestoWindow : public QWidget, public BoardView, public VisibleControls {
    Q_OBJECT

public:
    // Builds every control in its state at start; the window stays hidden.
    explicit MarvestoWindow(QWidget* parent = nullptr);

    void Show(Control label) override;
    void Hide(Control control) override;
    void SetCaption(Control label, const std::string& text) override;

    bool IsShown(Control control) const override;
    void FocusFirstCase();

signals:
    void caseClicked(int k);
    void dealClicked();
    void endClicked();
    // The window system's close control; the window stays open until the
    // program ends.
    void closeRequested();

protected:
    // Keys a focused case button leaves alone come here.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Sees each key before Qt finds the widget it goes to.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCaseButtons();
    void BuildLabels();
    QWidget& Find(Control control) const;
    // From the hidden case that had it to the next case shown in the focus
    // order, or to the window.
    void PassFocusOn();

    std::vector<QPushButton*> caseButtons_;
    std::map<Control, QWidget*> controls_;
    std::map<Control, CaptionLabel*> labels_;
    // The hidden case whose focus is still to pass on.
    QWidget* focusLeft_ = nullptr;
};

} // namespace marvesto
