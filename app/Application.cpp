#include "app/Application.h"

#include "app/FirstRunMarker.h"

namespace app {

using namespace framework;

Application::Application(Environment environment) : env_(environment) {}

Application::~Application() = default;

void Application::run() {
    start();
    env_.windows.runMessageLoop();
    cleanUp();
}

void Application::start() {
    // 1. COM for this thread; the executable's folder becomes the current folder.
    env_.platform.initialiseComForThisThread();
    env_.platform.setCurrentFolder(env_.platform.executableFolder());
    // 2. The automation object; a failure leaves it empty.
    automation_ = automation::AutomationObject(env_.components.create(automation::ComponentClassId));
    // 3. The exit clean-up is cleanUp(), run after the message loop.
    // 4. The main window; its Created handler runs the rest of the start-up.
    loadMainWindow();
}

void Application::cleanUp() {
    if (cleanedUp_) return;
    cleanedUp_ = true;
    automation_.release();
}

void Application::loadMainWindow() {
    using namespace main_window;
    mainForm_ = env_.windows.createForm(mainWindowDefinition());
    const auto main = mainWindow();
    main.onCreated([this] { onMainWindowCreated(); });
    main.onDestroying([this] {
        if (mouseForm_) mouseForm_->destroy();
    });
    main.onEntryClick(工具条_添加工具, [main](int entry) {
        if (entry == toolbar::Add) main.setShown(分组框_添加分类, true);
    });
    main.onClick(按钮_取消, [main] { main.setShown(分组框_添加分类, false); });
    main.onClick(按钮_添加鼠标, [this] { openMouseEditorForAdding(); });
    main.onClick(按钮2, [this] { openKeyEditorForAdding(); });
    mainForm_->open();
}

// Start-up step 5, in order; no step stops the start-up.
void Application::onMainWindowCreated() {
    installAndRegisterComponent();
    loadMouseCommandWindow();
    registerHotkeys();
    editorState_.clickModeCursor = -1;
    writeFileAssociation();
    openCommandLineFile();
    editorState_.clearModes();
    checkFirstStart();
    showAdvertisement();
    offerUpdate();
}

// Writes the embedded component to its fixed path and registers it.
void Application::installAndRegisterComponent() {}

void Application::loadMouseCommandWindow() {
    mouseForm_ = env_.windows.createForm(mouseCommandWindowDefinition());
    const auto mouse = mouseCommandWindow();
    mouse.onCloseRequest([mouse] {
        mouse.hide();
        return false;
    });
    mouse.onClick(mouse_window::按钮_取消添加, [mouse] { mouse.hide(); });
    mouseForm_->open();
}

// The seven global hotkeys.
void Application::registerHotkeys() {}

// The ".qd" file association.
void Application::writeFileAssociation() {}

// A data file named on the command line.
void Application::openCommandLineFile() {}

void Application::checkFirstStart() {
    if (takeFirstStart(env_.platform)) mainWindow().setInterval(main_window::时钟_载入帮助文档, 10);
}

// The advertisement line of the notice page.
void Application::showAdvertisement() {}

// The update offer of the notice page.
void Application::offerUpdate() {}

void Application::openMouseEditorForAdding() {
    using namespace mouse_window;
    mainWindow().setShown(main_window::分组框_添加分类, false);
    const auto mouse = mouseCommandWindow();
    mouse.show();
    editorState_.mouseModify = false;
    mouse.setCaption(按钮_添加命令, "确认添加\r\nCtrl+回车");
    mouse.setCaption(按钮_取消添加, "关闭");
}

void Application::openKeyEditorForAdding() {
    using namespace key_window;
    mainWindow().setShown(main_window::分组框_添加分类, false);
    const auto key = openKeyCommandWindow();
    editorState_.textModify = false;
    editorState_.keyModify = false;
    key.setCaption(按钮_添加, "添加");
    key.setCaption(按钮_添加模拟按键, "添加");
}

// There is never more than one KeyCommandWindow: an open one is brought to the front.
Window<KeyCommandWindow> Application::openKeyCommandWindow() {
    if (Form* open = keyCommandForm()) {
        open->bringToFront();
        return Window<KeyCommandWindow>(*open);
    }
    keyForm_ = env_.windows.createForm(keyCommandWindowDefinition());
    keyForm_->open();
    return Window<KeyCommandWindow>(*keyForm_);
}

}  // namespace app
