#pragma once
// The whole program on in-memory windows and fake services.

#include <string>
#include <vector>

#include "app/Application.h"
#include "automation/fake/FakeComponent.h"
#include "framework/headless/FakePlatform.h"
#include "framework/headless/HeadlessWindowSystem.h"

struct Program {
    framework::headless::Journal journal;
    framework::headless::FakePlatform platform{journal};
    framework::headless::HeadlessWindowSystem windows{journal};
    automation::fake::FakeComponentFactory components;
    app::Application app{{windows, platform, components}};

    Program() { components.journal = &journal; }

    framework::headless::HeadlessForm& form(std::string_view window) {
        auto* form = windows.find(window);
        if (!form) throw std::logic_error("no window " + std::string(window));
        return *form;
    }
    framework::headless::HeadlessForm& main() { return form("MainWindow"); }
    framework::headless::HeadlessForm& mouseEditor() { return form("MouseCommandWindow"); }
    framework::headless::HeadlessForm& keyEditor() { return form("KeyCommandWindow"); }

    framework::ReportRows& list() { return main().rows("超级列表框_鼠标命令"); }
    // The rows, one text each: the seven cells joined by "|".
    std::vector<std::string> rows() {
        std::vector<std::string> out;
        for (int r = 0; r < list().rowCount(); ++r) {
            std::string row;
            for (int c = 0; c < 7; ++c) row += (c ? "|" : "") + list().cell(r, c);
            out.push_back(row);
        }
        return out;
    }
    void select(int row) { main().selectRow("超级列表框_鼠标命令", row); }
    void toolbar(int entry) { main().clickEntry("工具条_添加工具", entry); }
    // The context menu: a right click on the list, then the item.
    void menu(int item) {
        main().rightClick("超级列表框_鼠标命令");
        main().clickEntry("右键单击", item);
    }
};
