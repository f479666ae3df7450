#include "game.h"

#include "number_text.h"
#include "prize_ladder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace marvesto {

namespace {

constexpr int kFirstPickCount = 1;
constexpr int kFinalPickCount = 27;
constexpr float kStartingBankPool = 490000.0F;
// At or below this pool the banker offers from the own case's amount instead.
constexpr float kPoolFormulaFloor = 100.0F;
constexpr double kCaseFormulaDivisor = 1.8;
constexpr int kOfferFactorCount = 3;

// The pick counts at which the banker makes an offer, with their multipliers.
constexpr std::array<std::pair<std::int16_t, std::int16_t>, 6> kOfferSchedule{{
    {7, 4},
    {12, 6},
    {16, 10},
    {20, 22},
    {23, 32},
    {25, 38},
}};

// Only one file is ever open at a time, so the free-file service always
// hands out the first file number.
constexpr float kFreeFileNumber = 1.0F;

bool IsOfferPickCount(std::int16_t pickCount) {
    return std::any_of(kOfferSchedule.begin(), kOfferSchedule.end(),
                       [pickCount](const auto& entry) { return entry.first == pickCount; });
}

} // namespace

Game::Game(const GameServices& services) : services_(services) {}

void Game::Form_Load() {
    state_.ChosenCase = 0;
    state_.OfferFactor = 0;
    state_.RevealArmed = 0;
    state_.OwnPrize = 0;
    state_.CaseClosed.Fill(1);
    state_.PrizeDeducted.Fill(0);
    state_.PickCount = kFirstPickCount;

    LoadHighScore();
    services_.board.SetCaption(Control::Label(StatusLabel::kHighScore),
                               "HISCORE:" + NumberText(state_.HiScore));
    services_.random.Randomize();
    services_.cues.Prepare();
}

void Game::LoadHighScore() {
    state_.FileNumber = kFreeFileNumber;
    state_.HiScore = services_.store.Load();
}

void Game::SaveHighScore(Currency amount) {
    if (!IsGreater(amount, state_.HiScore)) {
        return;
    }
    state_.FileNumber = kFreeFileNumber;
    services_.store.Save(amount);
}

void Game::CommandClick(int k) {
    // Checks k before anything happens, so a bad case number changes nothing.
    const Control button = Control::Command(k);
    // An opened case's button is hidden and takes no clicks; should one arrive
    // anyway, drawing again could never end once every prize is out.
    if (state_.CaseClosed[k] == 0) {
        return;
    }
    if (state_.ChosenCase == 0) {
        PlayIntroSound();
    }
    services_.board.Hide(Control::Label(StatusLabel::kOffer));
    services_.board.Hide(button);
    Increment(state_.PickCount);
    DrawNewPrize();
    state_.DrawnPrizes[state_.LoopIndex] = state_.DrawnPrize;
    state_.CaseClosed[k] = 0;
    if (state_.ChosenCase == 0) {
        state_.OwnPrize = state_.DrawnPrize;
        state_.ChosenCase = static_cast<std::int16_t>(k);
        AnnounceOwnCase();
    }
    HideDrawnPrize();
    CheckPickCount();
}

void Game::DrawNewPrize() {
    // Rejection sampling over all 26 indices, one random value per attempt.
    // The scan always runs to its end and leaves LoopIndex at PickCount + 1,
    // the slot where the new prize is stored.
    do {
        state_.DuplicateFound = 0;
        state_.DrawnPrize = DrawPrizeIndex(services_.random);
        const std::int16_t last = state_.PickCount;
        for (state_.LoopIndex = 1; state_.LoopIndex <= last; Increment(state_.LoopIndex)) {
            if (state_.DrawnPrizes[state_.LoopIndex] == state_.DrawnPrize) {
                state_.DuplicateFound = 1;
            }
        }
    } while (state_.DuplicateFound == 1);
}

void Game::AnnounceOwnCase() {
    state_.BankPool = kStartingBankPool;
    services_.board.Show(Control::Label(StatusLabel::kOwnCase));
    services_.board.SetCaption(Control::Label(StatusLabel::kOwnCase),
                               "CASE " + NumberText(std::int64_t{state_.ChosenCase}));
    services_.board.Hide(Control::Label(StatusLabel::kPrompt));
    if (const Prize* own = FindPrize(state_.OwnPrize)) {
        state_.Winnings = own->amount;
    }
}

void Game::HideDrawnPrize() {
    if (state_.RevealArmed == 1) {
        if (const Prize* drawn = FindPrize(state_.DrawnPrize)) {
            services_.board.Hide(drawn->LadderLabel());
        }
    }
    state_.RevealArmed = 1;
}

void Game::CheckPickCount() {
    services_.board.Hide(Control::Label(StatusLabel::kDeal));
    if (state_.PickCount == kFinalPickCount) {
        ShowFinalResult();
    }
    if (IsOfferPickCount(state_.PickCount)) {
        ComputeOffer();
    }
}

void Game::ComputeOffer() {
    DeductOpenedPrizes();
    state_.OfferFactor = DrawNumber(services_.random, kOfferFactorCount);
    for (const auto& [pickCount, multiplier] : kOfferSchedule) {
        if (pickCount == state_.PickCount) {
            state_.OfferMultiplier = multiplier;
        }
    }
    if (state_.BankPool > kPoolFormulaFloor) {
        const double wholeHundreds = std::floor(static_cast<double>(state_.BankPool) / 100.0);
        state_.Offer = Currency::FromWholeDollars(wholeHundreds).Times(state_.OfferMultiplier);
    }
    if (state_.BankPool <= kPoolFormulaFloor) {
        const Currency product = state_.Winnings.Times(state_.OfferFactor);
        state_.Offer =
            Currency::FromWholeDollars(std::floor(product.ToDouble() / kCaseFormulaDivisor));
    }
    ShowOffer();
}

void Game::DeductOpenedPrizes() {
    // Slots 1..PickCount hold every prize drawn before the click that brought
    // this offer, the own prize included; the triggering click's prize lies one
    // slot beyond and waits for the next offer. Within a slot the prizes are
    // tested from the smallest deductible one up.
    const std::int16_t last = state_.PickCount;
    for (state_.LoopIndex = 1; state_.LoopIndex <= last; Increment(state_.LoopIndex)) {
        for (int prize = kDeductiblePrizeCount; prize >= 1; --prize) {
            const bool counted =
                state_.DrawnPrizes[state_.LoopIndex] == prize || state_.OwnPrize == prize;
            if (DeductedFlag(state_, prize) == 0 && counted) {
                state_.BankPool -= FindPrize(prize)->deduction;
                DeductedFlag(state_, prize) = 1;
            }
        }
    }
}

void Game::ShowOffer() {
    TURN();
    services_.board.Show(Control::Label(StatusLabel::kOffer));
    services_.board.SetCaption(Control::Label(StatusLabel::kOffer),
                               "OFFER: $" + NumberText(state_.Offer));
    services_.board.Show(Control::Label(StatusLabel::kDeal));
}

void Game::Label28_Click() {
    SaveHighScore(state_.Offer);
    AcceptDeal();
}

void Game::AcceptDeal() {
    PlayCue("DEAL.wav");
    state_.Winnings = state_.Offer;
    ShowFinalResult();
}

void Game::ShowFinalResult() {
    for (const Prize& prize : PrizeLadder()) {
        services_.board.Hide(prize.LadderLabel());
    }
    for (int k = 1; k <= kCaseCount; ++k) {
        services_.board.Hide(Control::Command(k));
    }
    services_.board.Show(Control::Label(StatusLabel::kOwnCase));
    services_.board.Show(Control::Label(StatusLabel::kEnd));
    services_.board.Hide(Control::Label(StatusLabel::kDeal));
    services_.board.Hide(Control::Label(StatusLabel::kOffer));
    services_.board.Show(Control::Label(StatusLabel::kResult));
    services_.board.SetCaption(Control::Label(StatusLabel::kResult),
                               "               YOU WIN!! $" + NumberText(state_.Winnings));
    SaveHighScore(state_.Winnings);
}

void Game::Label33_Click() {
    FinishGame();
}

void Game::FinishGame() {
    services_.board.Hide(Control::Label(StatusLabel::kOffer));
    services_.board.Show(Control::Label(StatusLabel::kResult));
    services_.board.SetCaption(Control::Label(StatusLabel::kResult),
                               "YOU WIN!! $" + NumberText(state_.Winnings));
    PlayEndSound();
    QuitProgram();
}

void Game::QuitProgram() {
    services_.end.QuitProgram();
}

void Game::PlayIntroSound() {
    PlayCue("INTRO.wav");
}

void Game::TURN() {
    PlayCue("DIAL.wav");
}

void Game::PlayEndSound() {
    PlayCue("END.wav");
}

void Game::PlayCue(const std::string& fileName) {
    services_.cues.PlayCue(fileName);
}

} // namespace marvesto
