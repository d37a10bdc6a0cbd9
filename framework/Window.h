#pragma once
// Typed access to a Form. A control is named by a ControlId that carries its window and its
// kind, so a misspelt name, a control of another window, or a property that a kind does not
// have (the check state of a button, say) fails to compile.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "framework/Form.h"

namespace framework {

template <class WindowTag, ControlKind Kind>
struct ControlId {
    std::string_view name;
};

// Declares the id of a control of a window: FRAMEWORK_CONTROL(MainWindow, Button, 按钮_运行).
#define FRAMEWORK_CONTROL(window, kind, name) \
    inline constexpr ::framework::ControlId<window, ::framework::ControlKind::kind> name { #name }

// Copies the definition with the id's name and kind filled in.
template <class W, ControlKind K>
constexpr ControlDefinition control(ControlId<W, K> id, ControlDefinition definition) {
    definition.name = id.name;
    definition.kind = K;
    return definition;
}

constexpr bool isPlaced(ControlKind k) {
    return k != ControlKind::FileDialog && k != ControlKind::Timer &&
           k != ControlKind::InvisibleLabel && k != ControlKind::Menu;
}
constexpr bool hasCaption(ControlKind k) {
    return k == ControlKind::Button || k == ControlKind::CheckBox || k == ControlKind::GroupBox ||
           k == ControlKind::TransparentLabel || k == ControlKind::Label ||
           k == ControlKind::Hyperlink;
}
constexpr bool canBeDisabled(ControlKind k) {
    return k == ControlKind::Button || k == ControlKind::CheckBox || k == ControlKind::Edit ||
           k == ControlKind::DropDownList;
}
constexpr bool hasEntries(ControlKind k) {
    return k == ControlKind::Toolbar || k == ControlKind::Menu;
}
constexpr bool isLabel(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::TransparentLabel;
}

template <class W>
class Window {
public:
    template <ControlKind K>
    using Id = ControlId<W, K>;

    explicit Window(Form& form) : form_(&form) {}
    Form& form() const { return *form_; }

    bool alive() const { return form_->alive(); }
    bool visible() const { return form_->visible(); }
    void show() const { form_->setVisible(true); }
    void hide() const { form_->setVisible(false); }
    void destroy() const { form_->destroy(); }
    void bringToFront() const { form_->bringToFront(); }

    template <ControlKind K> requires(isPlaced(K))
    Point position(Id<K> id) const { return form_->position(id.name); }
    template <ControlKind K> requires(isPlaced(K))
    void setPosition(Id<K> id, Point p) const { form_->setPosition(id.name, p); }
    template <ControlKind K> requires(isPlaced(K))
    bool isShown(Id<K> id) const { return form_->controlVisible(id.name); }
    template <ControlKind K> requires(isPlaced(K))
    void setShown(Id<K> id, bool shown) const { form_->setControlVisible(id.name, shown); }

    template <ControlKind K> requires(canBeDisabled(K))
    bool enabled(Id<K> id) const { return form_->enabled(id.name); }
    template <ControlKind K> requires(canBeDisabled(K))
    void setEnabled(Id<K> id, bool on) const { form_->setEnabled(id.name, on); }

    template <ControlKind K> requires(hasCaption(K))
    std::string caption(Id<K> id) const { return form_->text(id.name); }
    template <ControlKind K> requires(hasCaption(K))
    void setCaption(Id<K> id, std::string_view text) const { form_->setText(id.name, text); }

    std::string text(Id<ControlKind::Edit> id) const { return form_->text(id.name); }
    void setText(Id<ControlKind::Edit> id, std::string_view text) const { form_->setText(id.name, text); }
    void focus(Id<ControlKind::Edit> id) const { form_->focus(id.name); }

    bool checked(Id<ControlKind::CheckBox> id) const { return form_->checked(id.name); }
    void setChecked(Id<ControlKind::CheckBox> id, bool on) const { form_->setChecked(id.name, on); }

    int selectedIndex(Id<ControlKind::DropDownList> id) const { return form_->selectedIndex(id.name); }
    void select(Id<ControlKind::DropDownList> id, int index) const { form_->setSelectedIndex(id.name, index); }
    std::string selectedText(Id<ControlKind::DropDownList> id) const { return form_->selectedText(id.name); }

    template <ControlKind K> requires(hasEntries(K))
    bool entryEnabled(Id<K> id, int index) const { return form_->entryEnabled(id.name, index); }
    template <ControlKind K> requires(hasEntries(K))
    void setEntryEnabled(Id<K> id, int index, bool on) const { form_->setEntryEnabled(id.name, index, on); }
    void popUp(Id<ControlKind::Menu> id) const { form_->popUpMenu(id.name); }

    int interval(Id<ControlKind::Timer> id) const { return form_->timerInterval(id.name); }
    void setInterval(Id<ControlKind::Timer> id, int ms) const { form_->setTimerInterval(id.name, ms); }

    void navigate(Id<ControlKind::HtmlViewer> id, std::string_view address) const { form_->navigate(id.name, address); }
    std::optional<std::string> showFileDialog(Id<ControlKind::FileDialog> id) const { return form_->showFileDialog(id.name); }
    ReportRows& rows(Id<ControlKind::ReportList> id) const { return form_->rows(id.name); }

    // Events
    template <class F>
    void onCreated(F f) const { form_->connect({}, Event::Created, [f = std::move(f)](int) { f(); }); }
    template <class F>
    void onDestroying(F f) const { form_->connect({}, Event::Destroying, [f = std::move(f)](int) { f(); }); }
    void onCloseRequest(std::function<bool()> allowClose) const { form_->onCloseRequest(std::move(allowClose)); }
    template <class F>
    void onClick(Id<ControlKind::Button> id, F f) const { connect(id.name, Event::Click, std::move(f)); }
    template <ControlKind K, class F> requires(hasEntries(K))
    void onEntryClick(Id<K> id, F f) const { form_->connect(id.name, Event::EntryClick, std::move(f)); }
    template <class F>
    void onDoubleClick(Id<ControlKind::Edit> id, F f) const { connect(id.name, Event::DoubleClick, std::move(f)); }
    template <ControlKind K, class F> requires(isLabel(K))
    void onLeftButtonDown(Id<K> id, F f) const { connect(id.name, Event::LeftButtonDown, std::move(f)); }
    template <class F>
    void onRightClick(Id<ControlKind::ReportList> id, F f) const { connect(id.name, Event::RightClick, std::move(f)); }
    template <class F>
    void onSelectionChanged(Id<ControlKind::ReportList> id, F f) const { connect(id.name, Event::SelectionChanged, std::move(f)); }
    template <class F>
    void onTick(Id<ControlKind::Timer> id, F f) const { connect(id.name, Event::Tick, std::move(f)); }
    template <class F>
    void onNotification(Id<ControlKind::InvisibleLabel> id, F f) const { form_->connect(id.name, Event::Notification, std::move(f)); }

private:
    template <class F>
    void connect(std::string_view name, Event event, F f) const {
        form_->connect(name, event, [f = std::move(f)](int) { f(); });
    }

    Form* form_;
};

}  // namespace framework
