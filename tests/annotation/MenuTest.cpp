// The menu "ZAV Annotation" as the host shows it, the code each item publishes, and the About box.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Environment/Host.h"
#include "annotation/AnnotationMenu.h"
#include "annotation/ZAVLinkAddon.h"
#include "platform/api/HostErrors.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGPanel.h"
#include "platform/host/MenuBar.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using zavlink::AnnotationMenu;

namespace {

// Every product code: notes which reached it and answers as told.
class CodeRecorder : public Subscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        for (int32_t item = 1; item <= AnnotationMenu::ItemCount; ++item)
            if (uint32_t code = zavlink::menuItemCode(item); code != 0)
                types.push_back({zavlink::ProductSource, code});
        types.push_back({zavlink::ProductSource, 0}); // never published: a separator's code
    }
    bool receive(Event& event) override {
        heard.push_back(event.getType());
        return answer;
    }
    std::vector<EventType> heard;
    bool answer = true;
};

// The product's module with a plain add-on: the menu and a recorder as its only subscribers.
class MenuTest : public ::testing::Test {
protected:
    MenuTest()
        : module([this] {
              auto* addon = new Addon();
              addon->add(&menu);
              addon->add(&recorder);
              return addon;
          }) {}
    ~MenuTest() override {
        if (getAddon() != nullptr) getAddon()->clear();
    }
    AnnotationMenu menu;
    CodeRecorder recorder;
    testsupport::ModuleUnderTest module;
};

struct Item {
    const char* text;
    const char* flags;
    int32_t icon;
    const char* prompt;
    const char* code; // empty: a separator
};

const Item items[] = {
    {"Select Specification...", "E3^ED^ES^EE^EL^EI^EW^ET", 32509,
     "Select the ZAV specification to be applied to this project", "SELS"},
    {"Label Element...", "E3^ED^ES^EE^EL^EI^EW^ET^R", 32503,
     "Add annotation from the specification (optionally linked to one or more selected ZAVHost elements) "
     "using a standard label",
     "LABE"},
    {"Place Annotation...", "E3^ED^ES^EE^EL^EI^EW^ET^R", 32506,
     "Add annotation from the specification as a simple text block", "PLCA"},
    {"-", "", 0, "-", ""},
    {"Review Annotation...", "E3^ED^ES^EE^EL^EI^EW^ET", 32508,
     "Compare annotation placed in this project with the latest specification text", "RVWA"},
    {"Find Annotation...", "E3^ED^ES^EE^EL^EI^EW^ET", 32501, "Find annotation placed in this project",
     "FNDL"},
    {"Update Annotation...", "E3^ED^ES^EE^EL^EI^EW^ET", 32510,
     "Update annotation placed in this project with the latest specification text", "UPTL"},
    {"Restore Ignored Clauses...", "E3^ED^ES^EE^EL^EI^EW^ET", 32507,
     "Restored ignored clauses so they can be found and updated again", "RSIG"},
    {"-", "", 0, "-", ""},
    {"View Clause...", "E3^ED^ES^EE^EL^EI^EW^ET^S^R", 32511,
     "View the full specification clause for the selected annotation", "VWCL"},
    {"Guidance Notes...", "E3^ED^ES^EE^EL^EI^EW^ET^R", 32502, "View the ZAV Guidance Notes", "GDNC"},
    {"Manufacturer Info...", "E3^ED^ES^EE^EL^EI^EW^ET^R", 32504, "View the ZAV Manufacturer Information",
     "MANU"},
    {"-", "", 0, "-", ""},
    {"About ZAV Link...", "E3^ED^ES^EE^EL^EI^EW^ET", 32505, "About the ZAV Link add-on", "ABDL"},
};

uint32_t codeOf(const char* text) {
    return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
           (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
}

} // namespace

TEST_F(MenuTest, TheHostShowsTheMenuFromTheStringListsWithTheirFlagsAndIcons) {
    const zavhost::Menu* shown = module.host().menus().menu(zavlink::MenuList);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->title, "ZAV Annotation");
    EXPECT_EQ(shown->promptResId, zavlink::PromptList);
    EXPECT_EQ(shown->positionCode, 17);
    EXPECT_EQ(shown->registerFlags, 0);
    ASSERT_EQ(shown->items.size(), std::size(items));
    for (size_t i = 0; i < std::size(items); ++i) {
        const zavhost::MenuItem& item = shown->items[i];
        SCOPED_TRACE(items[i].text);
        EXPECT_EQ(item.index, static_cast<int32_t>(i + 1));
        EXPECT_EQ(item.text, items[i].text);
        EXPECT_EQ(item.hostFlags, items[i].flags);
        EXPECT_EQ(item.iconId, items[i].icon);
        // The host found the icon through that id in the module: 16 pixels square at 96 dpi, 32 at 192.
        EXPECT_EQ(item.icon != nullptr && item.icon->GetWidth() == 16 && item.icon->GetHeight() == 16,
                  items[i].icon != 0);
        EXPECT_EQ(item.doubleIcon != nullptr && item.doubleIcon->GetWidth() == 32 &&
                      item.doubleIcon->GetHeight() == 32,
                  items[i].icon != 0);
        EXPECT_EQ(item.prompt, items[i].prompt);
        EXPECT_EQ(item.separator, *items[i].code == '\0');
        EXPECT_FALSE(item.disabled());
    }
    EXPECT_EQ(Host::getResourceString(zavlink::PromptList, 1), String("ZAV Annotation"));
}

TEST_F(MenuTest, EachItemPublishesItsCodeOnceAndAnswersWhatThePublishAnswers) {
    for (bool answer : {true, false}) {
        recorder.answer = answer;
        for (size_t i = 0; i < std::size(items); ++i) {
            SCOPED_TRACE(items[i].text);
            recorder.heard.clear();
            MenuEvent event(zavlink::MenuList, static_cast<int32_t>(i + 1));
            bool handled = getAddon()->handleEvent(event);
            if (*items[i].code == '\0') {
                EXPECT_FALSE(handled);
                EXPECT_TRUE(recorder.heard.empty());
                EXPECT_EQ(zavlink::menuItemCode(static_cast<int32_t>(i + 1)), 0u);
                continue;
            }
            EXPECT_EQ(handled, answer);
            ASSERT_EQ(recorder.heard.size(), 1u);
            EXPECT_EQ(recorder.heard[0].source, codeOf("ZAVL"));
            EXPECT_EQ(recorder.heard[0].kind, codeOf(items[i].code));
        }
    }
}

TEST_F(MenuTest, ItemsOutsideTheMenuAndOtherMenusPublishNothing) {
    const std::pair<int32_t, int32_t> events[] = {
        {zavlink::MenuList, 0}, {zavlink::MenuList, 15}, {zavlink::MenuList, -1}, {32501, 1}, {32000, 14}};
    for (auto [menuId, item] : events) {
        MenuEvent event(menuId, item);
        EXPECT_FALSE(menu.handleMenu(event)) << menuId << " " << item;
        EXPECT_FALSE(getAddon()->handleEvent(event)) << menuId << " " << item;
    }
    EXPECT_TRUE(recorder.heard.empty());
}

// The About box: the only tool of "ABDL", over the product's own dialog resource, made once the
// module is there, as start-up makes it.
class AboutTest : public ::testing::Test {
protected:
    AboutTest() : about(std::make_unique<zavlink::AboutDialog>()) { getAddon()->add(about.get()); }
    ~AboutTest() override {
        getAddon()->remove(about.get());
        DG::Desk::Get().Reset();
    }
    testsupport::ModuleUnderTest module;
    std::unique_ptr<zavlink::AboutDialog> about;
};

TEST_F(AboutTest, ShowsTheVersionAndAnswersWhateverTheUserDoes) {
    for (short button : {short(1), short(0)}) {
        std::vector<std::string> seen;
        DG::Desk::Get().SetModalHandler([&](DG::ModalDialog& dialog) {
            seen.push_back(DGGetItemText(dialog.GetId(), 2).ToCStr());
            seen.push_back(DGGetItemText(dialog.GetId(), 4).ToCStr());
            std::string why;
            if (button != 0) {
                EXPECT_TRUE(DG::Desk::Get().Click(dialog, button, 0, &why)) << why;
            }
        });
        Event event({zavlink::ProductSource, zavlink::AboutDialog::Code});
        EXPECT_TRUE(getAddon()->handleEvent(event));
        EXPECT_EQ(seen, (std::vector<std::string>{"ZAV Link Add-On", "Version 1.21"}));
    }
}
