#pragma once
// The whole program on in-memory windows and fake services.

#include "app/Application.h"
#include "automation/fake/FakeComponent.h"
#include "framework/headless/FakePlatform.h"
#include "framework/headless/HeadlessWindowSystem.h"

struct Program {
    framework::headless::Journal journal;
    framework::headless::FakePlatform platform{journal};
    framework::headless::HeadlessWindowSystem windows{journal};
    automation::fake::FakeComponentFactory components = withJournal(journal);
    app::Application app{{windows, platform, components}};

    framework::headless::HeadlessForm& form(std::string_view window) {
        auto* form = windows.find(window);
        if (!form) throw std::logic_error("no window " + std::string(window));
        return *form;
    }
    framework::headless::HeadlessForm& main() { return form("MainWindow"); }
    framework::headless::HeadlessForm& mouseEditor() { return form("MouseCommandWindow"); }
    framework::headless::HeadlessForm& keyEditor() { return form("KeyCommandWindow"); }

private:
    static automation::fake::FakeComponentFactory withJournal(framework::headless::Journal& journal) {
        automation::fake::FakeComponentFactory factory;
        factory.journal = &journal;
        return factory;
    }
};
