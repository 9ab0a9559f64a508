#include "editors/flag_editor.hpp"

#include <gtest/gtest.h>

#include <initializer_list>

namespace skerry {
namespace {

using Outcome = FlagPress::Outcome;

FlagPress Press(FlagEditor& editor, std::initializer_list<std::size_t> ticks) {
    for (std::size_t i : ticks) {
        editor.SetTicked(i, true);
    }
    return editor.PressFlag();
}

bool AnyTicked(const FlagEditor& editor) {
    for (const FlagEditor::Entry& entry : editor.List()) {
        if (entry.ticked) {
            return true;
        }
    }
    return false;
}

TEST(FlagEditor, BitKindsOrTheTickedBits) {
    FlagEditor editor;
    editor.EditThing();
    EXPECT_EQ(Press(editor, {0, 3}).text, "0x9");
    EXPECT_FALSE(AnyTicked(editor));  // what was read is unticked
    editor.EditPhysics();
    EXPECT_EQ(Press(editor, {31}).text, "0x80000000");
    editor.EditActor();
    EXPECT_EQ(Press(editor, {13, 15}).text, "0xA000");
    editor.EditWeapon();
    for (std::size_t i = 0; i < kFlagEntryCount; ++i) {
        editor.SetTicked(i, true);
    }
    const FlagPress all = editor.PressFlag();
    EXPECT_EQ(all.outcome, Outcome::Value);
    EXPECT_EQ(all.text, "0xFFFFFFFF");
}

TEST(FlagEditor, EnumeratedKindTakesTheIndexOfTheOneTick) {
    FlagEditor editor;
    editor.EditDamage();
    EXPECT_EQ(Press(editor, {16}).text, "0x10");  // Saber
    EXPECT_FALSE(editor.SingleValueMode());       // a written value ends the kind's mode
    editor.EditDamage();
    EXPECT_EQ(Press(editor, {0}).text, "0x0");
    editor.EditDamage();
    EXPECT_EQ(Press(editor, {31}).text, "0x1F");
}

TEST(FlagEditor, EnumeratedKindWithoutExactlyOneTick) {
    FlagEditor editor;
    editor.EditDamage();
    EXPECT_EQ(editor.PressFlag().outcome, Outcome::NothingTicked);
    EXPECT_TRUE(editor.SingleValueMode());  // nothing read, nothing changed

    const FlagPress press = Press(editor, {1, 4});
    EXPECT_EQ(press.outcome, Outcome::MoreThanOne);
    EXPECT_EQ(press.text, "");
    EXPECT_FALSE(AnyTicked(editor));
    EXPECT_FALSE(editor.SingleValueMode());
}

TEST(FlagEditor, OpeningAKindLeavesNothingOfTheLastOne) {
    FlagEditor editor;
    editor.EditThing();
    editor.SetTicked(0, true);
    editor.SetTicked(5, true);
    editor.EditActor();
    EXPECT_EQ(editor.Title(), "Actor Flags");
    EXPECT_EQ(editor.List()[0].caption, "0x00000001");
    EXPECT_EQ(editor.List()[1].caption, "0x00000002");
    EXPECT_FALSE(AnyTicked(editor));

    // Damage opened and left without a press, then thing: read as bits again.
    editor.EditDamage();
    editor.SetTicked(4, true);
    editor.EditThing();
    EXPECT_FALSE(editor.SingleValueMode());
    EXPECT_EQ(Press(editor, {0, 1}).text, "0x3");
}

TEST(FlagEditor, UnknownKeyChangesNothing) {
    FlagEditor editor;
    editor.EditDamage();
    editor.SetTicked(2, true);
    EXPECT_FALSE(editor.GetFlag("Thing"));
    EXPECT_EQ(editor.Title(), "Damage Type");
    EXPECT_TRUE(editor.SingleValueMode());
    EXPECT_TRUE(editor.List()[2].ticked);
}

}  // namespace
}  // namespace skerry
