// The rules of Marvesto: the start-up, the case clicks, the banker's offers,
// the deal and the end of the game. The window turns each of its events into
// one call here; everything the game does to the outside goes through the
// small interfaces it is given.
#pragma once

#include "board_view.h"
#include "cue_player.h"
#include "currency.h"
#include "game_state.h"
#include "high_score_store.h"
#include "program_end.h"
#include "random_source.h"

#include <string>

namespace marvesto {

struct GameServices {
    BoardView& board;
    CuePlayer& cues;
    HighScoreStore& store;
    RandomSource& random;
    ProgramEnd& end;
};

class Game {
public:
    explicit Game(const GameServices& services);

    // Runs once, before the window is first shown.
    void Form_Load();
    // A click on case button k, 1..26: the first chooses the own case, every
    // later one opens a case. A click on a case already opened does nothing.
    void CommandClick(int k);
    // A click on the DEAL label: accepts the offer shown.
    void Label28_Click();
    // A click on the end label: plays the end cue and ends the program.
    void Label33_Click();
    // Plays the dial cue.
    void TURN();

    const GameState& State() const { return state_; }

private:
    void LoadHighScore();
    void SaveHighScore(Currency amount);
    void DrawNewPrize();
    void AnnounceOwnCase();
    void HideDrawnPrize();
    void CheckPickCount();
    void ComputeOffer();
    void DeductOpenedPrizes();
    void ShowOffer();
    void AcceptDeal();
    void ShowFinalResult();
    void FinishGame();
    void QuitProgram();
    void PlayIntroSound();
    void PlayEndSound();
    void PlayCue(const std::string& fileName);

    GameServices services_;
    GameState state_;
};

} // namespace marvesto
