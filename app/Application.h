#pragma once
// The program: start-up, the wiring of every control event to its operation, and shutdown.

#include <memory>
#include <optional>
#include <string>

#include "app/Hotkeys.h"
#include "app/PlayCommandLine.h"
#include "automation/AutomationObject.h"
#include "commands/EditorState.h"
#include "commands/KeyCommandEditor.h"
#include "commands/ListEditing.h"
#include "commands/MouseCommandEditor.h"
#include "framework/Platform.h"
#include "framework/WindowSystem.h"
#include "online/NoticeBoard.h"
#include "online/SlidingPanels.h"
#include "playback/Player.h"
#include "playback/Schedule.h"
#include "ui/KeyCommandWindowDefinition.h"
#include "ui/MainWindowDefinition.h"
#include "ui/MouseCommandWindowDefinition.h"

namespace app {

// Everything the program talks to outside itself.
struct Environment {
    framework::WindowSystem& windows;
    framework::Platform& platform;
    automation::ComponentFactory& components;
};

class Application {
public:
    explicit Application(Environment environment);
    ~Application();

    // Start-up, then the message loop until the program has no window left, then the exit
    // clean-up. False when a run's thread is still inside a component call: the process must
    // then end at once, without destroying this object (which that thread may still use).
    bool run();
    // The process's exit code: 0, or how an unattended run ended.
    int exitCode() const { return static_cast<int>(exitCode_); }

    // The start-up sequence alone: when it returns true the main window is open; false for a
    // bad unattended command line, for which the program does not start.
    bool start();
    // Stops a run and releases the automation object; runs once, after the message loop has
    // ended. False, and nothing released, when the run's thread is still inside a call.
    bool cleanUp();

    framework::Window<ui::MainWindow> mainWindow() const { return framework::Window<ui::MainWindow>(*mainForm_); }
    commands::MouseCommandEditor& mouseEditor() { return *mouseEditor_; }
    commands::KeyCommandEditor& keyEditor() { return *keyEditor_; }
    commands::ListEditing& listEditing() { return *listEditing_; }
    playback::Player& player() { return *player_; }
    app::Hotkeys& hotkeys() { return *hotkeys_; }
    online::NoticeBoard& noticeBoard() { return *noticeBoard_; }
    const automation::AutomationObject& automation() const { return automation_; }
    commands::EditorState& editorState() { return editorState_; }

private:
    void loadMainWindow();
    void wireMainWindow();
    void onToolbarEntry(int entry);
    void onMenuItem(int item);
    void onMainWindowCreated();
    void installAndRegisterComponent();
    void installComponent32();
    void checkFirstStart();
    void startUnattendedRun();
    // Ends an unattended run's program with its outcome, said on the standard error.
    void endUnattended(PlayOutcome outcome, const std::string& report);
    void openFixedLink(std::string_view address);

    Environment env_;
    automation::AutomationObject automation_;
    commands::EditorState editorState_;
    std::unique_ptr<framework::Form> mainForm_;
    std::unique_ptr<commands::KeyCommandEditor> keyEditor_;
    std::unique_ptr<commands::MouseCommandEditor> mouseEditor_;
    std::unique_ptr<commands::ListEditing> listEditing_;
    std::unique_ptr<playback::Player> player_;
    std::unique_ptr<playback::Schedule> schedule_;
    std::unique_ptr<Hotkeys> hotkeys_;
    std::unique_ptr<online::NoticeBoard> noticeBoard_;
    std::unique_ptr<online::SlidingPanels> panels_;
    std::optional<std::string> commandLineFile_;
    std::optional<PlayRequest> unattended_;  // the command line's /play: nobody is there to answer
    PlayOutcome exitCode_ = PlayOutcome::Played;
    std::optional<bool> cleanedUp_;
};

}  // namespace app
