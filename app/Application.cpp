#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/FileAssociation.h"
#include "app/FirstRunMarker.h"
#include "automation/ComponentInstallation.h"
#include "commands/CommandRow.h"
#include "config/Addresses.h"
#include "online/NoticePage.h"
#include "scriptfile/ScriptFiles.h"

namespace app {

using namespace framework;
using namespace ui;
using namespace ui::main_window;

Application::Application(Environment environment) : env_(environment) {}

Application::~Application() = default;

bool Application::run() {
    if (start()) env_.windows.runMessageLoop();
    return cleanUp();
}

bool Application::start() {
    unattended_ = playRequest(env_.platform.commandLine());
    if (unattended_ && !unattended_->problem.empty()) {
        env_.platform.writeStandardError("命令行有误：" + unattended_->problem);
        endUnattended(PlayOutcome::BadCommandLine, std::string(PlayUsage));
        return false;
    }
    // A relative path on the command line is taken from the folder the program was started in.
    commandLineFile_ = unattended_ ? env_.platform.fullPath(unattended_->file) : commandLineFilePath(env_.platform);
    // COM for this thread; the executable's folder becomes the current folder.
    env_.platform.initialiseComForThisThread();
    env_.platform.setCurrentFolder(env_.platform.executableFolder());
    // The automation object; a failure leaves it empty.
    automation_ = automation::AutomationObject(env_.components.create(automation::ComponentClassId));
    // The exit clean-up is cleanUp(), run after the message loop.
    // The main window; its Created handler runs the rest of the start-up.
    loadMainWindow();
    return true;
}

// A run still playing (a key editor kept the program going, or the main window was closed
// during the run) is stopped first, so that nothing calls the automation object once it is
// released. A run stuck in a call keeps the object: the process ends with both.
bool Application::cleanUp() {
    if (cleanedUp_) return *cleanedUp_;
    cleanedUp_ = !player_ || player_->stopRun();
    if (*cleanedUp_) automation_.release();
    return *cleanedUp_;
}

void Application::loadMainWindow() {
    mainForm_ = env_.windows.createForm(mainWindowDefinition());
    keyEditor_ = std::make_unique<commands::KeyCommandEditor>(env_.windows, *mainForm_, editorState_, env_.platform);
    mouseEditor_ = std::make_unique<commands::MouseCommandEditor>(env_.windows, *mainForm_, editorState_, env_.platform,
                                                                  automation_, *keyEditor_);
    listEditing_ = std::make_unique<commands::ListEditing>(*mainForm_, env_.platform, *mouseEditor_);
    player_ = std::make_unique<playback::Player>(env_.windows, env_.platform,
                                                 playback::RunControls(*mainForm_, [this] { mouseEditor_->window().hide(); }),
                                                 commands::CommandList(mainWindow().rows(超级列表框_鼠标命令)), automation_);
    schedule_ = std::make_unique<playback::Schedule>(env_.platform, *mainForm_, *player_);
    hotkeys_ = std::make_unique<Hotkeys>(env_.platform, *mainForm_, *player_, *schedule_, *mouseEditor_);
    noticeBoard_ = std::make_unique<online::NoticeBoard>(env_.platform, *mainForm_);
    panels_ = std::make_unique<online::SlidingPanels>(*mainForm_);
    wireMainWindow();
    mainForm_->open();
}

// Each event of the main window starts one operation.
void Application::wireMainWindow() {
    const auto main = mainWindow();
    main.onCreated([this] { onMainWindowCreated(); });
    main.onDestroying([this] { mouseEditor_->destroy(); });
    main.onEntryClick(工具条_添加工具, [this](int entry) { onToolbarEntry(entry); });
    main.onEntryClick(右键单击, [this](int item) { onMenuItem(item); });
    main.onSelectionChanged(超级列表框_鼠标命令, [this] { listEditing_->refreshSelectionCommands(); });
    main.onRightClick(超级列表框_鼠标命令, [this] { listEditing_->openContextMenu(); });
    main.onClick(按钮_添加鼠标, [this] { mouseEditor_->openForAdding(); });
    main.onClick(按钮_插入鼠标, [this] { mouseEditor_->openForInserting(); });
    main.onClick(按钮2, [this] { keyEditor_->openForAdding(); });
    main.onClick(按钮_插入键盘, [this] { keyEditor_->openForInserting(); });
    main.onClick(按钮_取消, [main] { main.setShown(分组框_添加分类, false); });
    main.onTick(时钟_锁定鼠标, [this] { mouseEditor_->holdCursor(); });
    main.onClick(按钮_运行, [this] { player_->toggle(); });
    main.onClick(按钮_设定, [this] { schedule_->toggle(); });
    main.onTick(时钟_延时打开, [this] { schedule_->tick(); });
    main.onNotification(标签_热键标识, [this](int identifier) { hotkeys_->dispatch(identifier); });
    main.onLeftButtonDown(透明标签3, [this] { noticeBoard_->OpenAdvertLink(); });
    main.onClick(按钮_关闭, [this] { panels_->closeHelp(); });
    main.onLeftButtonDown(标签_查看视屏演示, [this] { panels_->openVideo(); });
    main.onClick(按钮_撤销, [this] { panels_->closeVideo(); });
    main.onClick(按钮_撤销1, [this] { openFixedLink(config::DemoVideoAddress); });
    main.onTick(时钟_载入帮助文档, [this] { panels_->helpInTick(); });
    main.onTick(时钟_关闭帮助文档, [this] { panels_->helpOutTick(); });
    main.onTick(时钟_视屏延时开, [this] { panels_->videoInTick(); });
    main.onTick(时钟_视频延时关, [this] { panels_->videoOutTick(); });
}

// Links fixed in the program open as they are.
void Application::openFixedLink(std::string_view address) { env_.platform.shellOpen(std::string(address)); }

void Application::onToolbarEntry(int entry) {
    switch (entry) {
        case toolbar::Add: mainWindow().setShown(分组框_添加分类, true); break;
        case toolbar::Delete: listEditing_->deleteSelected(); break;
        case toolbar::Modify: listEditing_->modifySelected(); break;
        case toolbar::Clear: listEditing_->clear(); break;
        case toolbar::Import: {
            commands::CommandList list(mainWindow().rows(超级列表框_鼠标命令));
            scriptfile::importFile(env_.platform, mainWindow(), list);
            break;
        }
        case toolbar::Export:
            scriptfile::exportList(env_.platform, commands::CommandList(mainWindow().rows(超级列表框_鼠标命令)));
            break;
        case toolbar::Help: panels_->openHelp(); break;
        case toolbar::Author: openFixedLink(config::AuthorChatLink); break;
        case toolbar::Site: openFixedLink(config::AuthorSiteAddress); break;
        default: break;
    }
}

void Application::onMenuItem(int item) {
    switch (item) {
        case menu::Delete: listEditing_->deleteSelected(); break;
        case menu::Modify: listEditing_->modifySelected(); break;
        case menu::Clear: listEditing_->clearAfterAsking(); break;
        case menu::MoveDown: listEditing_->moveSelectedDown(); break;
        case menu::MoveUp: listEditing_->moveSelectedUp(); break;
        case menu::Delay100ms: listEditing_->insertDelay(commands::Delay100ms); break;
        case menu::Delay1000ms: listEditing_->insertDelay(commands::Delay1000ms); break;
        case menu::Delay10s: listEditing_->insertDelay(commands::Delay10s); break;
        default: break;
    }
}

// The rest of the start-up, once the main window exists, in order: component registration, the
// mouse editor, the hotkeys, the file association, the command-line file, the first-start
// marker, the advertisement and the update offer. No step stops the start-up. An unattended
// run shows no message and skips what is there for a person: the first-start help (its marker
// is left for the first start a person sees) and the notice page; it plays instead.
void Application::onMainWindowCreated() {
    installAndRegisterComponent();
    installComponent32();
    mouseEditor_->load();
    hotkeys_->registerAll();
    if (!unattended_) hotkeys_->reportFailures();
    editorState_.clickModeCursor = -1;
    writeFileAssociation(env_.platform);
    commands::CommandList list(mainWindow().rows(超级列表框_鼠标命令));
    openCommandLineFile(env_.platform, list, commandLineFile_);
    editorState_.clearModes();
    if (unattended_) {
        startUnattendedRun();
        return;
    }
    checkFirstStart();
    // The page is read once for both steps: they would read the same address milliseconds apart.
    const std::string page = online::ReadNoticePage(env_.platform);
    noticeBoard_->ShowAdvertisement(page);
    noticeBoard_->OfferUpdate(page);
}

// Writes the embedded component and registers it. On a first start, or where an older copy had
// to be released to be replaced, the automation object is made once more now.
// The component for 32-bit scripting hosts, on a thread of its own: its registration runs a
// program, which start-up does not wait for. (The thread then waits for the first run.)
void Application::installComponent32() {
    framework::Platform& platform = env_.platform;
    static_cast<void>(platform.startThread([&platform] { automation::InstallAndRegisterComponent32(platform); }));
}

void Application::installAndRegisterComponent() {
    if (!automation::InstallAndRegisterComponent(env_.platform, automation_)) {
        if (unattended_) return;  // the run reports that it has no automation object
        env_.platform.messageBox("注册插件失败，请退出流氓杀毒软件后重新打开此软件", "蓝豆程序集", MessageIcon::Error,
                                 MessageButtons::Ok);
        return;
    }
    if (automation_.empty()) automation_ = automation::AutomationObject(env_.components.create(automation::ComponentClassId));
}

void Application::checkFirstStart() {
    if (isFirstStart(env_.platform)) panels_->openHelpAtFirstStart();
    markStarted(env_.platform);
}

// The passes as F11 plays them, with the command line's count and hide option; the program ends
// with the run.
void Application::startUnattendedRun() {
    if (automation_.empty()) {
        endUnattended(PlayOutcome::NoComponent, "创建插件失败，没有执行");
        return;
    }
    const auto main = mainWindow();
    if (main.rows(超级列表框_鼠标命令).rowCount() == 0) {
        endUnattended(PlayOutcome::NothingToPlay, "文件无法读取或其中没有命令，没有执行：" + *commandLineFile_);
        return;
    }
    main.setText(编辑框_运行次数, std::to_string(unattended_->passes));
    if (unattended_->hidesWindows) main.setChecked(选择框_影藏, true);
    exitCode_ = PlayOutcome::Cancelled;  // until every pass is played
    player_->onRunEnded([this](bool allPlayed) {
        if (allPlayed)
            endUnattended(PlayOutcome::Played, "执行完毕：" + std::to_string(unattended_->passes) + " 次");
        else
            endUnattended(PlayOutcome::Cancelled, "执行已取消");
    });
    player_->toggle();
}

void Application::endUnattended(PlayOutcome outcome, const std::string& report) {
    exitCode_ = outcome;
    env_.platform.writeStandardError(report);
    if (keyEditor_ && keyEditor_->openForm()) keyEditor_->openForm()->destroy();
    if (mainForm_) mainForm_->destroy();
}

}  // namespace app
