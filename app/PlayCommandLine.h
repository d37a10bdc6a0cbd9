#pragma once
// The unattended command line, "/play FILE [/count N] [/hide]": the program plays FILE and exits
// by itself (for the Task Scheduler, say). A command line that does not begin with the switch is
// the ordinary one.

#include <optional>
#include <string>
#include <string_view>

namespace app {

inline constexpr int MaxPlayPasses = 100000;

// How an unattended run ends: the process's exit code.
enum class PlayOutcome : int {
    Played = 0,          // every pass played
    Cancelled = 1,       // F11, the run button, or the window closed before the passes were done
    NothingToPlay = 2,   // the file could not be read or holds no rows
    NoComponent = 3,     // the automation object could not be created
    BadCommandLine = 4,  // an unknown switch, no file, a count that is not 1 to MaxPlayPasses
};

inline constexpr std::string_view PlayUsage = "用法：landou.exe /play 文件 [/count 次数] [/hide]";

struct PlayRequest {
    std::string file;  // as the command line names it: its arguments joined, the path not made full
    int passes = 1;
    bool hidesWindows = false;
    std::string problem;  // what makes the line a bad one; empty for a good one
};

// Nothing when the first argument is not /play or -play (in any case, not quoted). After it
// come the file's arguments, then the switches /count N and /hide (or -count, -hide, in any
// case). An argument that begins with / or - and is not quoted is a switch; a file whose
// name begins so is quoted.
std::optional<PlayRequest> playRequest(std::string_view line);

}  // namespace app
