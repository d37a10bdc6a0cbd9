#include "framework/IntegerInput.h"

#include <gtest/gtest.h>

#include "framework/headless/HeadlessWindowSystem.h"
#include "ui/MainWindowDefinition.h"
#include "ui/MouseCommandWindowDefinition.h"

using namespace framework;

TEST(IntegerInput, KeepsDigitsMinusAndControlKeysOnly) {
    for (char32_t c = U'0'; c <= U'9'; ++c) EXPECT_TRUE(integerBoxKeeps(c));
    EXPECT_TRUE(integerBoxKeeps(U'-'));
    EXPECT_TRUE(integerBoxKeeps(U'\b'));
    EXPECT_TRUE(integerBoxKeeps(U'\x01'));  // Ctrl+A and the like
    for (char32_t c : {U'a', U'Z', U'+', U'.', U' ', U'e', U'１', U'－', U'鼠', U'\x7F'}) EXPECT_FALSE(integerBoxKeeps(c));
    EXPECT_EQ(keepIntegerCharacters("a-1b2 3.\r\n4"), "-1234");
}

TEST(IntegerInput, BoxesFilterTypingButNotTheProgram) {
    headless::Journal journal;
    headless::HeadlessWindowSystem windows(journal);
    auto main = windows.createForm(ui::mainWindowDefinition());
    auto& form = static_cast<headless::HeadlessForm&>(*main);
    const auto runCount = ui::main_window::编辑框_运行次数.name;

    form.setText(runCount, "");
    form.type(runCount, "abc");
    EXPECT_EQ(form.text(runCount), "");
    form.type(runCount, "-5");
    EXPECT_EQ(form.text(runCount), "-5");
    form.type(runCount, "x\b");
    EXPECT_EQ(form.text(runCount), "-");
    form.setText(runCount, "12.7 abc");
    EXPECT_EQ(form.text(runCount), "12.7 abc");

    auto mouse = windows.createForm(ui::mouseCommandWindowDefinition());
    auto& editor = static_cast<headless::HeadlessForm&>(*mouse);
    for (auto box : {ui::mouse_window::编辑框_X坐标.name, ui::mouse_window::编辑框_Y坐标.name,
                     ui::mouse_window::编辑框_点击频率.name}) {
        editor.setText(box, "");
        editor.type(box, "1a2");
        EXPECT_EQ(editor.text(box), "12") << box;
    }
}
