#include "framework/headless/HeadlessForm.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "framework/IntegerInput.h"
#include "framework/headless/HeadlessWindowSystem.h"
#include "text/Utf8.h"

namespace framework::headless {
namespace {

void eraseLastCharacter(std::string& text) {
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((last & 0xC0) != 0x80) return;
    }
}

}  // namespace

HeadlessForm::HeadlessForm(HeadlessWindowSystem& system, const WindowDefinition& definition)
    : system_(system), definition_(definition) {
    for (const ControlDefinition& control : definition.controls) {
        ControlState s;
        s.definition = &control;
        s.position = {control.place.left, control.place.top};
        s.visible = control.visible;
        s.enabled = control.enabled;
        s.text = control.caption;
        s.checked = control.checked;
        s.selected = control.selectedItem;
        for (const Entry& entry : control.entries) s.entryEnabled.push_back(entry.enabled);
        if (control.kind == ControlKind::ReportList) {
            s.rows = std::make_unique<ReportRows>(static_cast<int>(control.columns.size()));
            s.rows->setListener([this, name = control.name](ReportRows::Change change, int) {
                if (change == ReportRows::Change::SelectionChanged) fire(name, Event::SelectionChanged);
                const ControlState& list = state(name);
                if (change == ReportRows::Change::Inserted && list.rowLimit >= 0 && list.rows->rowCount() > list.rowLimit)
                    throw std::bad_alloc();
            });
        }
        const auto [it, inserted] = controls_.emplace(std::string(control.name), std::move(s));
        if (!inserted) throw std::logic_error("two controls named " + it->first);
    }
    system_.formCreated(*this);
}

HeadlessForm::~HeadlessForm() {
    if (alive_) system_.formDestroyed(*this);
    system_.formReleased(*this);
}

void HeadlessForm::open() {
    if (!alive_ || opened_) return;
    opened_ = true;
    if (definition_.visibleAtCreation) setVisible(true);
    fire({}, Event::Created);
}

void HeadlessForm::destroy() {
    if (!alive_) return;
    fire({}, Event::Destroying);
    alive_ = false;
    visible_ = false;
    system_.formDestroyed(*this);
}

void HeadlessForm::setVisible(bool visible) {
    if (!alive_ || visible_ == visible) return;
    visible_ = visible;
    system_.journal().add(std::string(visible ? "show " : "hide ") + std::string(definition_.name));
}

void HeadlessForm::bringToFront() {
    if (alive_) system_.journal().add("front " + std::string(definition_.name));
}

void HeadlessForm::setSelectedIndex(std::string_view control, int index) {
    ControlState& s = state(control);
    s.selected = index >= 0 && index < static_cast<int>(s.definition->items.size()) ? index : -1;
}

std::string HeadlessForm::selectedText(std::string_view control) const {
    const ControlState& s = state(control);
    if (s.selected < 0) return {};
    return std::string(s.definition->items[static_cast<size_t>(s.selected)].text);
}

bool HeadlessForm::entryEnabled(std::string_view control, int index) const {
    const ControlState& s = state(control);
    return index >= 0 && index < static_cast<int>(s.entryEnabled.size()) && s.entryEnabled[static_cast<size_t>(index)];
}

void HeadlessForm::setEntryEnabled(std::string_view control, int index, bool enabled) {
    ControlState& s = state(control);
    if (index >= 0 && index < static_cast<int>(s.entryEnabled.size())) s.entryEnabled[static_cast<size_t>(index)] = enabled;
}

void HeadlessForm::setTimerInterval(std::string_view control, int milliseconds) {
    state(control).interval = milliseconds < 0 ? 0 : milliseconds;
}

std::optional<std::string> HeadlessForm::showFileDialog(std::string_view control) {
    state(control);
    system_.journal().add("file dialog " + std::string(control));
    return std::exchange(nextFileChoice_, std::nullopt);
}

void HeadlessForm::focus(std::string_view control) {
    state(control);
    focused_ = control;
}

void HeadlessForm::popUpMenu(std::string_view control) { ++state(control).popUps; }

ReportRows& HeadlessForm::rows(std::string_view control) {
    ControlState& s = state(control);
    if (!s.rows) throw std::logic_error(std::string(control) + " is not a report list");
    return *s.rows;
}

bool HeadlessForm::registerHotkey(int identifier, bool control, unsigned virtualKey) {
    return system_.registerHotkey(*this, identifier, control, virtualKey);
}

void HeadlessForm::pressHotkey(int identifier) {
    for (const ControlDefinition& control : definition_.controls)
        if (control.kind == ControlKind::InvisibleLabel && state(control.name).handlers.count(Event::Notification)) {
            fire(control.name, Event::Notification, identifier);
            return;
        }
}

void HeadlessForm::connect(std::string_view control, Event event, Handler handler) {
    (control.empty() ? window_ : state(control)).handlers[event] = std::move(handler);
}

bool HeadlessForm::hasHandler(std::string_view control, Event event) const {
    const ControlState& s = control.empty() ? window_ : state(control);
    return s.handlers.count(event) != 0;
}

void HeadlessForm::click(std::string_view button) {
    if (state(button).enabled) fire(button, Event::Click);
}

void HeadlessForm::clickEntry(std::string_view toolbarOrMenu, int index) {
    if (entryEnabled(toolbarOrMenu, index)) fire(toolbarOrMenu, Event::EntryClick, index);
}

void HeadlessForm::doubleClick(std::string_view edit) { fire(edit, Event::DoubleClick); }

void HeadlessForm::pressLeftButton(std::string_view label) { fire(label, Event::LeftButtonDown); }

void HeadlessForm::rightClick(std::string_view list) { fire(list, Event::RightClick); }

void HeadlessForm::selectRow(std::string_view list, int row) { rows(list).select(row); }

void HeadlessForm::type(std::string_view edit, std::string_view text) {
    ControlState& s = state(edit);
    const bool integersOnly = s.definition->input == EditInput::Integers;
    for (size_t i = 0; i < text.size();) {
        const std::string_view character = text::utf8::firstCharacter(text.substr(i));
        i += character.size();
        const char32_t typed = text::utf8::codePoint(character);
        if (integersOnly && !integerBoxKeeps(typed)) continue;
        if (typed == U'\b')
            eraseLastCharacter(s.text);
        else if (typed >= 0x20 && typed != 0x7F)
            s.text += character;
    }
}

void HeadlessForm::tick(std::string_view timer) {
    if (state(timer).interval > 0) fire(timer, Event::Tick);
}

void HeadlessForm::notify(std::string_view invisibleLabel, int value) { fire(invisibleLabel, Event::Notification, value); }

void HeadlessForm::requestClose() {
    if (!alive_) return;
    if (!allowClose_ || allowClose_()) destroy();
}

HeadlessForm::ControlState& HeadlessForm::state(std::string_view control) {
    return const_cast<ControlState&>(std::as_const(*this).state(control));
}

const HeadlessForm::ControlState& HeadlessForm::state(std::string_view control) const {
    const auto it = controls_.find(control);
    if (it == controls_.end())
        throw std::logic_error("no control named " + std::string(control) + " in " + std::string(definition_.name));
    return it->second;
}

void HeadlessForm::fire(std::string_view control, Event event, int argument) {
    if (!alive_) return;
    const ControlState& s = control.empty() ? window_ : state(control);
    const auto it = s.handlers.find(event);
    if (it == s.handlers.end()) return;
    const Handler handler = it->second;  // a handler may replace itself
    handler(argument);
}

}  // namespace framework::headless
