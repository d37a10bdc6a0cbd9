#include "playback/Player.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "commands/CommandRow.h"
#include "text/TextToNumber.h"

namespace playback {

using namespace commands;
using framework::CancelToken;

namespace {

// The wait of a delay row's text; 0 for any other text.
int delayRowMilliseconds(std::string_view text) {
    if (text == Delay100ms) return 100;
    if (text == Delay1000ms) return 1000;
    if (text == Delay10s) return 10000;
    return 0;
}

}  // namespace

// A run on the player's thread: stopped through its token; its thread says through `ended`
// that it has returned.
struct Player::Run {
    std::shared_ptr<CancelToken> token;
    std::shared_ptr<CancelToken> ended;
};

Player::Player(framework::WindowSystem& ui, framework::Platform& platform, RunControls controls, CommandList list,
               const automation::AutomationObject& automation)
    : ui_(ui), platform_(platform), controls_(controls), list_(list), automation_(automation), nextRun_(newRun()) {}

std::shared_ptr<Player::Run> Player::newRun() {
    return std::make_shared<Run>(Run{platform_.newCancelToken(), platform_.newCancelToken()});
}

void Player::toggle() {
    const std::string caption = controls_.caption();
    if (caption == IdleCaption) {
        controls_.setCaption(RunningCaption);
        // What the run needs of the windows before its first call is done here, on this thread,
        // so that the run's thread begins with the first row's call.
        if (controls_.hidesWindows()) controls_.hideWindows();
        const int passes = text::textToInt32(controls_.runCount());
        PassStart firstPass{list_.rowCount(), cellsOf(0)};
        std::erase_if(runs_, [](const auto& run) { return run->ended->cancelled(); });
        runs_.push_back(nextRun_ ? std::exchange(nextRun_, nullptr) : newRun());
        const bool started = platform_.startThread([this, run = runs_.back(), passes, firstPass = std::move(firstPass)] {
            threadRun(run, passes, firstPass);
        });
        if (!nextRun_) nextRun_ = newRun();  // the next run's, made while this one's first call is made
        if (!started) {  // no thread for the run: it ends at once, as a run of no pass does
            runs_.pop_back();
            controls_.showMainWindow();
            controls_.setCaption(IdleCaption);
            if (runEnded_) runEnded_(false);
        }
    } else if (caption == RunningCaption) {
        controls_.setCaption(IdleCaption);
        if (!runs_.empty()) runs_.back()->token->cancel();
        if (controls_.hidesWindows()) controls_.showMainWindow();
        if (runEnded_) runEnded_(false);
    }
}

// Every thread counts, also one of a cancelled run that is still inside its last call.
bool Player::stopRun() {
    for (const auto& run : runs_) run->token->cancel();
    for (const auto& run : runs_)
        if (!run->ended->cancelled()) platform_.wait(ExitGrace, *run->ended);  // answers the thread's calls meanwhile
    return std::all_of(runs_.begin(), runs_.end(), [](const auto& run) { return run->ended->cancelled(); });
}

void Player::threadRun(const std::shared_ptr<Run>& run, int passes, const PassStart& firstPass) {
    CancelToken& token = *run->token;
    struct Ended {
        CancelToken& ended;
        ~Ended() { ended.cancel(); }
    } ended{*run->ended};

    Timeline timeline(platform_, token);
    for (int pass = 1; pass <= passes; ++pass) {
        if (!playPass(RunKind::Thread, timeline, pass == 1 ? &firstPass : nullptr)) return;
        onUiUnlessCancelled(token, [this, left = passes - pass] { controls_.setRunCount(std::to_string(left)); });
    }
    onUiUnlessCancelled(token, [this] {
        controls_.showMainWindow();
        controls_.setCaption(IdleCaption);
        if (runEnded_) runEnded_(true);
    });
}

void Player::timerRun() {
    const auto token = platform_.newCancelToken();  // a scheduled run is not cancelled
    const int passes = text::textToInt32(controls_.runCount());
    Timeline timeline(platform_, *token);
    for (int pass = 1; pass <= passes; ++pass) playPass(RunKind::Timer, timeline);
}

// The row count is read once: rows added meanwhile wait for the next pass, rows removed read
// as empty cells.
bool Player::playPass(RunKind kind, Timeline& timeline, const PassStart* start) {
    const int rows = start ? start->rows : readOnUi([this] { return list_.rowCount(); });
    for (int row = 0; row < rows; ++row) {
        RowCells cells = row == 0 && start ? start->firstRow : readOnUi([&] { return cellsOf(row); });
        if (!playRow(row, std::move(cells), kind, timeline)) return false;
    }
    return timeline.wait(PassPause);
}

Player::RowCells Player::cellsOf(int row) const {
    return {list_.cellText(row, KindColumn),
            list_.cellText(row, DelayColumn),
            list_.cellText(row, TextColumn),
            text::textToInt32(list_.cellText(row, XColumn)),
            text::textToInt32(list_.cellText(row, YColumn)),
            list_.cellText(row, ClickModeColumn)};
}

// Cells are read when they are needed, so an edit made during the run is played: the row as it
// begins, a mouse row's position and click mode again after its delay, and the kind and text
// again after each of the row's waits. Cells needed at one moment are read in one call on the
// user-interface thread.
bool Player::playRow(int row, RowCells cells, RunKind kind, Timeline& timeline) {
    const auto kindAndText = [&] {
        return readOnUi([&] {
            return std::pair(list_.cellText(row, KindColumn), list_.cellText(row, TextColumn));
        });
    };
    std::string rowKind = std::move(cells.kind);
    std::string text = std::move(cells.text);
    if (rowKind == MouseRow) {
        const int delay = text::textToInt32(cells.delay);
        if (!timeline.wait(delay)) return false;
        if (delay > 0) cells = readOnUi([&] { return cellsOf(row); });  // as they are after the delay
        const std::string& mode = cells.clickMode;
        const bool clicks = mode == LeftClick || mode == LeftDoubleClick || mode == RightClick;
        if (clicks || mode == MoveOnly) {
            if (!act(kind, timeline, [&] { automation_.MoveTo(cells.x, cells.y); })) return false;
        }
        if (clicks) {
            if (!timeline.wait(ClickPause)) return false;
            const bool clicked = act(kind, timeline, [&] {
                if (mode == LeftClick) automation_.LeftClick();
                else if (mode == LeftDoubleClick) automation_.LeftDoubleClick();
                else automation_.RightClick();
            });
            if (!clicked) return false;
        }
        std::tie(rowKind, text) = kindAndText();  // as they are after the row's waits
    }
    if (rowKind == TextRow) {
        const std::int32_t window = platform_.windowUnderCursor();
        if (!act(kind, timeline, [&] { automation_.SendText(window, text); })) return false;
    } else if (rowKind == KeyRow) {
        if (!act(kind, timeline, [&] { automation_.KeyPressName(text); })) return false;
    }
    if (!timeline.wait(RowPause)) return false;
    if (kind == RunKind::Thread) {
        const auto [delayKind, delayText] = kindAndText();
        const int milliseconds = delayKind == DelayRow ? delayRowMilliseconds(delayText) : 0;
        if (milliseconds && !timeline.wait(milliseconds)) return false;
    }
    return true;
}

void Player::takeCallLock(RunKind kind, std::unique_lock<std::mutex>& calls, CancelToken& token) {
    if (kind == RunKind::Thread) {
        calls.lock();
        return;
    }
    while (!calls.try_lock()) platform_.wait(CallLockRetry, token);  // a scheduled run is never cancelled
}

// Runs on the user-interface thread, where the run is cancelled too: a cancel cannot come
// between the test and the change.
void Player::onUiUnlessCancelled(CancelToken& token, const std::function<void()>& change) {
    ui_.callOnUiThread([&] {
        if (!token.cancelled()) change();
    });
}

}  // namespace playback
