// The found-file slots as one value: placeholders at first, found() only for a real path.

#include "found_slot.h"

#include <gtest/gtest.h>

using namespace quillmere;

TEST(FoundSlotsTest, StartAsTheirPlaceholdersAndKeepEachSlotApart) {
    FoundSlots slots;
    for (FoundSlot slot : kFoundSlots) {
        EXPECT_EQ(slots.text(slot), placeholderText(slot));
        EXPECT_FALSE(slots.found(slot));
    }
    slots.set(FoundSlot::Label3, "/pkg/C2_1.INF");
    EXPECT_TRUE(slots.found(FoundSlot::Label3));
    EXPECT_EQ(slots.text(FoundSlot::Label3), "/pkg/C2_1.INF");
    for (FoundSlot other : {FoundSlot::Label2, FoundSlot::Label4, FoundSlot::Label5}) {
        EXPECT_FALSE(slots.found(other));
        EXPECT_EQ(slots.text(other), placeholderText(other));
    }
    // The last write of a kind stays.
    slots.set(FoundSlot::Label3, "/pkg/b/C2_2.INF");
    EXPECT_EQ(slots.text(FoundSlot::Label3), "/pkg/b/C2_2.INF");
}

TEST(FoundSlotsTest, FoundComparesTheWholeTextWithItsOwnPlaceholderOnly) {
    FoundSlots slots;
    // Another slot's placeholder, a letter-case variant, a longer text and an empty one are all
    // something other than this slot's placeholder.
    slots.set(FoundSlot::Label2, "Label3");
    slots.set(FoundSlot::Label3, "label3");
    slots.set(FoundSlot::Label4, "Label4 ");
    slots.set(FoundSlot::Label5, "");
    for (FoundSlot slot : kFoundSlots) EXPECT_TRUE(slots.found(slot)) << placeholderText(slot);
    // Writing the placeholder back reads as not found again.
    slots.set(FoundSlot::Label5, "Label5");
    EXPECT_FALSE(slots.found(FoundSlot::Label5));
}
