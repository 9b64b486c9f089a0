// The check box control: its value as a setting of its one cell, its host item, and the user's
// ticks reaching the panel.
#include <functional>
#include <string>

#include "ControlTestPanel.h"
#include "interface/CheckboxControl.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"

using namespace tarnwick;
using namespace controltest;

namespace {

constexpr short BoxItem = 1;
constexpr short OtherBoxItem = 2;

// A palette of two check boxes, "Remember" unchecked and "Again" checked, on the control tests'
// resource id.
struct CheckboxResource : PaletteResource {
    CheckboxResource()
        : PaletteResource(ResourceId, 300, 100,
                          {{DG::ItemType::CheckBox, 10, 10, 200, 30, 0, "Remember"},
                           {DG::ItemType::CheckBox, 10, 40, 200, 60, 1, "Again"}}) {}
};

class CheckboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        InterfacePanel::initialiseModule();
        owned = std::make_unique<TestPanel>(resource.module());
        owned->add(&listener);
        box = DialogControl::make<CheckboxControl>(ControlLink(BoxItem, owned.get()));
        owned->attachObservers();
        (void)DG::Desk::Get().TakeRefusals();
    }
    void TearDown() override {
        EXPECT_EQ(DG::Desk::Get().TakeRefusals(), std::vector<std::string>{});
        owned.reset();
        InterfacePanel::terminateModule();
    }
    short dialId() const { return static_cast<short>(owned->getPanelId()); }
    long hostValue(short item = BoxItem) const { return DGGetItemValLong(dialId(), item); }
    DG::Panel& host() const { return *owned->getHostPanel(); }

    CheckboxResource resource;
    std::unique_ptr<TestPanel> owned;
    Listener listener;
    CheckboxControl* box = nullptr;
};

// What getValue answers: a BooleanSetting, or nothing.
std::string valueOf(const CheckboxControl& box, int16_t row = 0, int16_t column = 0) {
    std::unique_ptr<Setting> value = box.getValue(row, column);
    if (!value) return "none";
    auto* flag = dynamic_cast<BooleanSetting*>(value.get());
    if (flag == nullptr) return "not a BooleanSetting";
    return flag->getValue() ? "true" : "false";
}

} // namespace

TEST_F(CheckboxTest, ASettingChecksTheBoxWhenItsIntegerIsNotZero) {
    const struct {
        std::function<std::unique_ptr<Setting>()> make;
        long host;
        const char* value;
    } cases[] = {
        {[] { return std::make_unique<Int32Setting>(2); }, 1, "true"},
        {[] { return std::make_unique<Int32Setting>(0); }, 0, "false"},
        {[] { return std::make_unique<Int32Setting>(-1); }, 1, "true"},
        {[] { return std::make_unique<BooleanSetting>(true); }, 1, "true"},
        {[] { return std::make_unique<BooleanSetting>(false); }, 0, "false"},
        // Read as a 32-bit integer: 2^32 clamps to the largest, it does not wrap to 0.
        {[] { return std::make_unique<Int64Setting>(int64_t(1) << 32); }, 1, "true"},
        {[] { return std::make_unique<StringSetting>(String("7")); }, 1, "true"},
        {[] { return std::make_unique<StringSetting>(String("0")); }, 0, "false"},
    };
    int n = 0;
    for (const auto& c : cases) {
        // From the other state, so that every case changes the box.
        DGSetItemValLong(dialId(), BoxItem, c.host == 0 ? 1 : 0);
        box->setValue(*c.make(), 0, 0);
        EXPECT_EQ(hostValue(), c.host) << "case " << n;
        EXPECT_EQ(valueOf(*box), c.value) << "case " << n;
        EXPECT_EQ(box->isSelected(0), c.host != 0) << "case " << n;
        ++n;
    }
    // The setting changes only the control's own item.
    EXPECT_EQ(hostValue(OtherBoxItem), 1);
}

TEST_F(CheckboxTest, InvalidCellsDoNothingAnswerFalseAndNoSetting) {
    box->setChecked(true);
    const std::pair<int16_t, int16_t> cells[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-2, 0}};
    for (auto [row, column] : cells) {
        box->setValue(Int32Setting(0), row, column);
        box->setChecked(false, row, column);
        EXPECT_EQ(hostValue(), 1) << row << "," << column;
        EXPECT_EQ(valueOf(*box, row, column), "none") << row << "," << column;
    }
    for (int16_t row : {-1, 1})
        EXPECT_FALSE(box->isSelected(row)) << row;
    EXPECT_TRUE(box->isSelected(0));
    box->setChecked(false, 0, 0);
    EXPECT_EQ(hostValue(), 0);
    EXPECT_TRUE(listener.heard.empty()); // the module's own changes are not the user's
}

TEST_F(CheckboxTest, TheUsersTickReachesThePanelAsAnItemEvent) {
    DG::Desk& desk = DG::Desk::Get();
    const struct {
        std::function<bool(std::string*)> act;
        std::vector<Heard> heard;
    } cases[] = {
        {[&](std::string* why) { return desk.Tick(host(), BoxItem, true, why); },
         {{ItemEvent::Kind, 6, BoxItem}}},
        {[&](std::string* why) { return desk.Tick(host(), BoxItem, true, why); }, {}}, // no change
        {[&](std::string* why) { return desk.Click(host(), BoxItem, 0, why); },
         {{ItemEvent::Kind, 6, BoxItem}}},
        // A check box without a control is heard by nobody.
        {[&](std::string* why) { return desk.Tick(host(), OtherBoxItem, false, why); }, {}},
    };
    int n = 0;
    for (const auto& c : cases) {
        listener.heard.clear();
        std::string why;
        ASSERT_TRUE(c.act(&why)) << why;
        EXPECT_EQ(listener.heard, c.heard) << "case " << n++;
    }
    EXPECT_EQ(valueOf(*box), "false"); // ticked, then clicked off
}

TEST_F(CheckboxTest, ItsLabelIsItsTextAndItsCopySharesTheHostItem) {
    EXPECT_EQ(box->getTypeCode(), 0x43484B42u);
    EXPECT_EQ(box->getText(), "Remember");
    box->setText(String("Forget"));
    EXPECT_EQ(String(DGGetItemText(dialId(), BoxItem)), "Forget");

    ASSERT_NE(box->getItem(), nullptr);
    std::unique_ptr<DialogControl> copy = box->clone();
    auto* copied = dynamic_cast<CheckboxControl*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->getItem(), box->getItem());
    copy.reset(); // the copy's end leaves the original's item alone
    ASSERT_NE(box->getItem(), nullptr);
    box->releaseItem();
    EXPECT_EQ(box->getItem(), nullptr);
}

TEST_F(CheckboxTest, ItsObserverWatchesOnlyACheckBoxWithAHostItem) {
    std::unique_ptr<ControlObserver> observer = box->makeObserver();
    ASSERT_NE(dynamic_cast<CheckboxControl::Observer*>(observer.get()), nullptr);
    CheckboxControl* second = DialogControl::make<CheckboxControl>(ControlLink(OtherBoxItem, owned.get()));
    // Attached before its item exists: nothing is watched, so the tick goes unheard.
    observer->attach(host(), *second);
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().Tick(host(), OtherBoxItem, false, &why)) << why;
    EXPECT_TRUE(listener.heard.empty());
    owned->attachObservers();
    ASSERT_NE(second->getItem(), nullptr);
    ASSERT_TRUE(DG::Desk::Get().Tick(host(), OtherBoxItem, true, &why)) << why;
    EXPECT_EQ(listener.heard, (std::vector<Heard>{{ItemEvent::Kind, 6, OtherBoxItem}}));
}
