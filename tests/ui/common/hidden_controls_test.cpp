// The main window's hidden controls as one model: initial texts from the layout, lists kept
// item for item, the slots kept apart from Label1.

#include "hidden_controls.h"

#include <gtest/gtest.h>

#include "layout.h"

using namespace quillmere;
using namespace quillmere::ui::common;

TEST(HiddenControlsTest, StartWithTheLayoutsInitialTexts) {
    const HiddenControls hidden;
    EXPECT_EQ(hidden.label1(), form1Control("Label1").text);
    EXPECT_TRUE(hidden.list1().empty());
    EXPECT_TRUE(hidden.list2().empty());
    // A slot's placeholder is its label's initial text: the run reads it as "nothing found".
    for (FoundSlot slot : kFoundSlots) {
        EXPECT_EQ(hidden.foundSlots().text(slot), form1Control(placeholderText(slot)).text);
        EXPECT_FALSE(hidden.foundSlots().found(slot));
    }
}

TEST(HiddenControlsTest, KeepsTheFoundListsItemForItemAndLabel1Apart) {
    HiddenControls hidden;
    hidden.showScanPath("/pkg/a.txt");
    hidden.addFoundFile("/pkg/install.ini", "1400");
    hidden.showScanPath("/pkg/C2_1.INF");
    hidden.addFoundFile("/pkg/C2_1.INF", "0");
    hidden.foundSlots().set(FoundSlot::Label2, "/pkg/install.ini");

    EXPECT_EQ(hidden.label1(), "/pkg/C2_1.INF");
    EXPECT_EQ(hidden.list1(), (std::vector<std::string>{"/pkg/install.ini", "/pkg/C2_1.INF"}));
    EXPECT_EQ(hidden.list2(), (std::vector<std::string>{"1400", "0"}));
    EXPECT_TRUE(hidden.foundSlots().found(FoundSlot::Label2));
    EXPECT_FALSE(hidden.foundSlots().found(FoundSlot::Label3));  // listing a file fills no slot
}
