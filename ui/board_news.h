// What a player who cannot see the window is told as the game changes it, and
// in which words: what a sighted player notices at a glance, told once, as it
// happens. Each front end tells it its own platform's way.
#pragma once

#include "board_view.h"
#include "control.h"

#include <optional>
#include <string>
#include <vector>

namespace marvesto {

// A label read out as it is shown: its caption is the news.
struct News {
    Control label;
    // The label that, pressed, acts on the news; how to press it from the
    // keyboard is told with the news.
    std::optional<Control> action;

    friend bool operator==(const News&, const News&) = default;
};

class NewsListener {
public:
    virtual ~NewsListener() = default;
    virtual void Tell(const News& news) = 0;
};

// Passes every change on to the board, then tells the listener the news it
// brings: the high score line and the own case as they get their captions;
// the prize an opened case held, as its ladder label is struck off; each
// offer as DEAL appears, with how to take it; on the final screen the result
// line, then the end label with how to end the session.
class BoardNews : public BoardView {
public:
    BoardNews(BoardView& board, NewsListener& listener);

    void Show(Control label) override;
    void Hide(Control control) override;
    void SetCaption(Control label, const std::string& text) override;

private:
    BoardView& board_;
    NewsListener& listener_;
    // A case button was hidden: the next ladder label hidden is its prize.
    bool caseOpened_ = false;
    // The end label was shown: the final screen is told with its result line.
    bool finalScreen_ = false;
};

// How to press the label from the keyboard, given the names the front end
// gives its keys: "Press D to take the offer."
std::string PressHint(Control label, const std::vector<std::string>& keyNames);

} // namespace marvesto
