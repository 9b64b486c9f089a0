// The template registry: first registrations win, the database and its subscribers come once, and
// the registry is gone with the module or the database.
#include "PresetTestSupport.h"
#include "presets/PresetEditor.h"

using namespace presettest;

TEST_F(PresetFixture, TheFirstRegistrationOfATypeWinsAndTheDatabaseComesOnce) {
    Addon& addon = *getAddon();
    EXPECT_EQ(addon.getSubscriberCount(), 2u);
    registerPresetTemplate(makeTemplate("door"), String("Other"), String("OldDoor"), 1);
    EXPECT_EQ(getTemplateDisplayNames().at(String("door")), "Doors");
    EXPECT_EQ(getTypeForLegacyName(String("OldDoor")), "");
    EXPECT_EQ(getTemplateKind(String("door")), 2u);
    EXPECT_EQ(getTemplateKind(String()), 2u); // the first type, "door"
    EXPECT_EQ(addon.getSubscriberCount(), 2u);
    EXPECT_EQ(projectPresets(), db);

    // By display name the first type that shows it; by type the type itself.
    EXPECT_EQ(selectTemplate(String("Skins"), false), 1);
    EXPECT_EQ(makeFromTemplate(String())->getType(), "skin");
    EXPECT_EQ(selectTemplate(String("skin"), false), 0);
    EXPECT_EQ(selectTemplate(String("wall"), true), 1);
    EXPECT_EQ(makeFromCurrentTemplate()->getType(), "wall");
    EXPECT_EQ(db->makeFromTemplate(String("Nope"), String("x")), nullptr);
    std::unique_ptr<PresetRecord> legacy = db->makeFromTemplate(String("LegacySkin"), String("Lime"));
    ASSERT_NE(legacy, nullptr);
    EXPECT_EQ(legacy->getName(), "Lime");
    EXPECT_EQ(makeFromCurrentTemplate()->getType(), "skin");

    // Closing the database takes the templates; registering again brings them back, and no
    // second database or pair of subscribers.
    db->close();
    EXPECT_EQ(makeFromCurrentTemplate(), nullptr);
    EXPECT_FALSE(db->add(Guid(), String("x"), Guid()).isValid());
    EXPECT_TRUE(db->empty());
    registerTemplates();
    EXPECT_EQ(makeFromTemplate(String("wall"))->getType(), "wall");
    EXPECT_EQ(addon.getSubscriberCount(), 2u);
    Event edit(PresetEditor::Type);
    EXPECT_TRUE(addon.handleEvent(edit)); // the preset manager opened
}

TEST(PresetTemplates, NothingComesOfAnEmptyDisplayNameOrWithoutAnAddon) {
    registerPresetsModel();
    {
        testsupport::ModuleUnderTest module;
        registerPresetTemplate(makeTemplate("wall"), String(), String("LegacyWall"), 1);
        EXPECT_FALSE(hasPresetTemplates());
        EXPECT_FALSE(getAddon()->isPackageRegistered(PresetDatabase::Code, 0));
        EXPECT_EQ(getAddon()->getSubscriberCount(), 0u);
    }
    ASSERT_EQ(getAddon(), nullptr);
    registerPresetTemplate(makeTemplate("wall"), String("Walls"), String(), 1);
    EXPECT_TRUE(hasPresetTemplates());
    PresetDatabase alone;
    EXPECT_TRUE(alone.add(Guid(), String("x"), Guid()).isValid());
    endPresetTemplates();
    EXPECT_FALSE(hasPresetTemplates());
    EXPECT_FALSE(alone.add(Guid(), String("y"), Guid()).isValid());
}
