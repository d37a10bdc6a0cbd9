#pragma once
// Plays the command list through the automation object: at once on a thread of its own
// (the run button and F11), or inside the schedule timer's tick on the user-interface thread.
// The run state is the run button's caption.

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "automation/AutomationObject.h"
#include "commands/CommandList.h"
#include "framework/Platform.h"
#include "framework/WindowSystem.h"
#include "playback/RunControls.h"
#include "playback/Timeline.h"

namespace playback {

inline constexpr std::string_view IdleCaption = "运行(F11)";
inline constexpr std::string_view RunningCaption = "取消(F11)";
inline constexpr int RowPause = 200;     // after every row
inline constexpr int ClickPause = 200;   // between a move and its click
inline constexpr int PassPause = 200;    // after every pass
inline constexpr int ExitGrace = 250;    // how long an ending program waits for a run's thread
inline constexpr int CallLockRetry = 1;  // how often a scheduled run tries the call lock again

class Player {
public:
    Player(framework::WindowSystem& ui, framework::Platform& platform, RunControls controls, commands::CommandList list,
           const automation::AutomationObject& automation);

    // The run button and F11: idle, starts a run; running, cancels it at once and shows the main
    // window if the hide option is on; any other caption, nothing.
    void toggle();
    // Told on the user-interface thread when a run started by toggle() ends: true when it
    // played every pass, false when it was cancelled or could not start.
    void onRunEnded(std::function<void(bool allPlayed)> ended) { runEnded_ = std::move(ended); }
    // The scheduled run: the list played on the user-interface thread, which it holds until the
    // passes are done; no window is hidden and the run count is not counted down.
    void timerRun();
    // The program is ending: cancels a run without touching any window and gives its thread a
    // moment to end. False when it is still inside a component call (a hung target window,
    // say): then nothing that the thread may still use can be freed, and the process must end
    // as it is.
    bool stopRun();

private:
    enum class RunKind { Thread, Timer };
    struct Run;
    // The cells of a row, read at one moment.
    struct RowCells {
        std::string kind, delay, text;
        int x = 0, y = 0;
        std::string clickMode;
    };
    // What a pass reads first: its row count and its first row.
    struct PassStart {
        int rows = 0;
        RowCells firstRow;
    };

    std::shared_ptr<Run> newRun();
    void threadRun(const std::shared_ptr<Run>& run, int passes, const PassStart& firstPass);
    // The first pass of a run on its thread begins with what was read as the run started.
    bool playPass(RunKind kind, Timeline& timeline, const PassStart* start = nullptr);
    bool playRow(int row, RowCells cells, RunKind kind, Timeline& timeline);
    RowCells cellsOf(int row) const;  // user-interface thread
    // A component call of the run: made unless the run is cancelled (then false). Calls are
    // made one at a time (the automation object's call lock): a run started after a cancel
    // waits for a call that the cancelled run still has in progress, so two runs never act at
    // once, and the canceller waits for none. The wait for the lock is part of the step.
    template <class Action>
    bool act(RunKind kind, Timeline& timeline, Action&& action) {
        bool acted = false;
        timeline.call([&] {
            auto calls = automation_.callLock();
            takeCallLock(kind, calls, timeline.token());
            if (timeline.token().cancelled()) return;
            action();
            acted = true;
        });
        return acted;
    }
    // A run on its own thread simply waits; a scheduled run, on the user-interface thread,
    // waits while it goes on answering the calls sent to that thread, as its other waits do.
    void takeCallLock(RunKind kind, std::unique_lock<std::mutex>& calls, framework::CancelToken& token);
    // A change to the windows, made on the user-interface thread unless the run is cancelled.
    void onUiUnlessCancelled(framework::CancelToken& token, const std::function<void()>& change);
    template <class Read>
    auto readOnUi(Read read) {
        decltype(read()) value{};
        ui_.callOnUiThread([&] { value = read(); });
        return value;
    }

    framework::WindowSystem& ui_;
    framework::Platform& platform_;
    RunControls controls_;
    commands::CommandList list_;  // read on the user-interface thread only
    const automation::AutomationObject& automation_;
    // The run last started, and earlier ones whose threads have not ended yet (a cancelled run
    // may still be inside its last call); user-interface thread only.
    std::vector<std::shared_ptr<Run>> runs_;
    std::shared_ptr<Run> nextRun_;  // made ahead: its tokens cost calls to the system
    std::function<void(bool)> runEnded_;
};

}  // namespace playback
