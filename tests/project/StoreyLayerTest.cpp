// Storeys and layers through the stand-in host: the plan's storey list, the current storey, the
// layer wrappers and their fallbacks, the layer checks with a scripted user, and a project file
// that keeps attributes, storeys and layers.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "Environment/TempFolder.h"
#include "ProjectTestSupport.h"
#include "project/DatabaseRef.h"
#include "project/ElementLink.h"
#include "project/Layer.h"
#include "project/Pen.h"
#include "project/Plan.h"
#include "project/Specification.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using projecttest::callsWith;
using projecttest::change;
using projecttest::hostProject;
using testsupport::ModuleUnderTest;

namespace {
void addStorey(zavhost::StandInHost& host, const std::string& name, double level) {
    std::string why;
    ASSERT_TRUE(hostProject(host).model.storeys.add(name, level, &why)) << why;
}

constexpr int16_t hiddenLayer = 5; // "Hidden Things" of a new host project

using Plans = projecttest::HostTest;
using Layers = projecttest::HostTest;
using LayerChecks = projecttest::HostTest;
using ProjectFiles = projecttest::HostTest;
} // namespace

TEST(Storey, RelationsAreTestedInOrder) {
    Storey storey(nullptr, String("First"), 1, 3.0, 2.5);
    EXPECT_EQ(storey.getRelation(3.0, 1e-5), uint32_t(Storey::AtLevel));
    EXPECT_EQ(storey.getRelation(5.5, 1e-5), uint32_t(Storey::AtTop));
    EXPECT_EQ(storey.getRelation(2.0, 1e-5), uint32_t(Storey::Below));
    EXPECT_EQ(storey.getRelation(6.0, 1e-5), uint32_t(Storey::Above));
    EXPECT_EQ(storey.getRelation(4.0, 1e-5), uint32_t(Storey::Inside));
    Storey flat(nullptr, String("Flat"), 2, 3.0, 0.0);
    EXPECT_EQ(flat.getRelation(3.0, 1e-5), uint32_t(Storey::AtLevel)); // before AtTop
    EXPECT_TRUE(Storey(nullptr, String("A"), 4, 0, 0) == Storey(nullptr, String("B"), 4, 1, 1));
    EXPECT_FALSE(Storey(nullptr, String("A"), 4, 0, 0) == Storey(nullptr, String("A"), 5, 0, 0));
    EXPECT_EQ(Storey(nullptr, String("Basement"), -1, -3.0, 3.0).getIndex(), 0xFFFFu);
}

TEST_F(Plans, MakesEveryStoreyTheHostHasWithItsHeight) {
    addStorey(host, "Attic", 9.0);
    addStorey(host, "Basement", -2.5);
    Plan* plan = Host::getPlan();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->getTypeName(), "Floor Plan");
    const auto& levels = hostProject(host).model.storeys.storeys();
    ASSERT_EQ(plan->getStoreyCount(), levels.size());
    for (size_t i = 0; i < levels.size(); ++i) {
        const Storey* storey = plan->getStoreys()[i];
        EXPECT_EQ(storey->getName(), String(levels[i].name));
        EXPECT_EQ(storey->getIndex16(), levels[i].index);
        EXPECT_DOUBLE_EQ(storey->getLevel(), levels[i].level);
        double top = i + 1 < levels.size() ? levels[i + 1].level
                                           : levels[i].level + hostProject(host).model.storeys.topHeight();
        EXPECT_DOUBLE_EQ(storey->getHeight(), top - levels[i].level) << i;
        EXPECT_EQ(storey->getPlan(), plan);
    }
    EXPECT_EQ(plan->getFirstStoreyIndex(), -1);
    EXPECT_EQ(plan->getLastStoreyIndex(), 2);
    ASSERT_NE(plan->getStorey(uint16_t(-1)), nullptr);
    EXPECT_EQ(plan->getStorey(uint16_t(-1))->getName(), "Basement");
    EXPECT_EQ(plan->getStoreyByName(String("Attic"))->getIndex(), 2u);
    EXPECT_EQ(plan->getStoreyByName(String("Cellar")), nullptr);
    EXPECT_EQ(plan->getStorey(7), nullptr);

    // Read once, kept until reset.
    size_t before = mark();
    EXPECT_EQ(plan->getStoreyCount(), levels.size());
    EXPECT_EQ(callsWith(host, "GSTO", before), 0u);
    addStorey(host, "Roof", 12.0);
    EXPECT_EQ(plan->getStoreyCount(), 4u);
    plan->reset();
    EXPECT_EQ(plan->getStoreyCount(), 5u);
}

TEST_F(Plans, CurrentStoreyIsReadAndChangedThroughTheHost) {
    Plan* plan = Host::getPlan();
    Storey* ground = plan->getCurrentStorey();
    ASSERT_NE(ground, nullptr);
    EXPECT_EQ(ground->getIndex(), 0u);
    EXPECT_EQ(plan->getDatabaseRef().getStoreyIndex(), 0u);

    Storey* first = plan->getStorey(1);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(plan->setCurrentStorey(*first, false));
    EXPECT_EQ(hostProject(host).model.storeys.current(), 1);
    EXPECT_EQ(plan->getCurrentStorey(), first);
    EXPECT_EQ(plan->getDatabaseRef().getStoreyIndex(), 1u);

    Storey missing(plan, String("Nowhere"), 9, 0.0, 0.0);
    EXPECT_FALSE(plan->setCurrentStorey(missing, true));
    EXPECT_NE(plan->getLastError(), hosterr::Ok);
    EXPECT_EQ(plan->getCurrentStorey(), first);

    EXPECT_EQ(DatabaseRef(DatabasePlan, Guid(), 1).getStorey(), first);
    EXPECT_EQ(DatabaseRef(DatabaseSection, Guid(1, 1), 1).getStorey(), nullptr);
    EXPECT_EQ(Storey(AttributeLink(1u, AttrNone)).getPlan(), plan);
}

TEST_F(Layers, NamesFindTheirLayerAndTheDefaultNameIsAlwaysIndexOne) {
    EXPECT_EQ(Layer::defaultLayerName(), "Base Layer");
    EXPECT_EQ(Layer(String("Walls")).getIndex(), 2u);
    int16_t twin = projecttest::addAttribute(host, AttrLayer, "Base Layer");
    ASSERT_GT(twin, 1);
    Layer base(String("Base Layer"));
    EXPECT_EQ(base.getIndex(), 1u);
    EXPECT_EQ(base.getName(), "Base Layer"); // the host's own name for layer 1 is not shown
    EXPECT_TRUE(base.exists());

    Layer fresh(String("Scaffolding"));
    EXPECT_FALSE(fresh.exists());
    EXPECT_EQ(fresh.getRecord().typeCode, uint32_t(AttrLayer));
    ASSERT_TRUE(change([&] { return Host::getSpecification()->store(fresh); }));
    EXPECT_TRUE(fresh.exists());
    EXPECT_EQ(Layer(String("Scaffolding")).getIndex(), fresh.getIndex());

    Layer empty{String()};
    EXPECT_FALSE(empty.exists());
}

TEST_F(Layers, FallbacksUnlinkLayersButPensKeepTheirLink) {
    Layer gone(AttributeLink(77, AttrLayer));
    EXPECT_NE(gone.getLink().getDatabase(), nullptr);
    EXPECT_FALSE(gone.exists());
    auto link = [](const Attribute& a) {
        return std::tuple(a.getLink().getIndex(), a.getLink().getDatabase(), a.getLink().getType());
    };
    EXPECT_EQ(link(gone), std::tuple(0u, nullptr, uint8_t(AttrLayer)));
    EXPECT_EQ(gone.getRecord().typeCode, uint32_t(AttrLayer));

    Pen missingPen(AttributeLink(77, AttrPen));
    EXPECT_DOUBLE_EQ(missingPen.getWidth(), 0.1);
    EXPECT_EQ(link(missingPen), std::tuple(77u, Host::getSpecification(), uint8_t(AttrPen)));

    Pen unbound(AttributeLink(0u, AttrPen));
    EXPECT_DOUBLE_EQ(unbound.getWidth(), 0.1);
    EXPECT_EQ(unbound.getRGB24(), 0u);
    EXPECT_EQ(unbound.getLink().getDatabase(), nullptr);

    // A link of another kind is not this class: the layer falls back.
    Layer notALayer(AttributeLink(2, AttrPen));
    EXPECT_FALSE(notALayer.exists());
}

TEST_F(Layers, FlagsStatusAndConnectionClassReachTheHost) {
    Layer walls(AttributeLink(2, AttrLayer));
    EXPECT_FALSE(walls.isHidden());
    walls.setHidden(true);
    walls.setLocked(true);
    walls.setFlag0010(true);
    walls.setConnectionClass(4);
    ASSERT_TRUE(change([&] { return Host::getSpecification()->store(walls); }));
    const zavhost::StoredAttribute* stored = hostProject(host).model.attributes.find(AttrLayer, 2);
    EXPECT_EQ(stored->header().flags, LayerHidden | LayerLocked | LayerFlag0010);
    EXPECT_EQ(stored->record.layer.connectionClass, 4u);

    Layer::Status status = walls.getStatus();
    EXPECT_TRUE(status.isHidden() && status.isLocked() && status.isFlag0010() && !status.isNotInWorkspace());
    HostLayerStatus record;
    record.index = 9;
    status.setNotInWorkspace(true);
    status.setHidden(false);
    status.toRecord(record);
    EXPECT_EQ(record.index, 0);
    EXPECT_EQ(record.flags, LayerLocked | LayerNotInWorkspace | LayerFlag0010);
    EXPECT_EQ(record.connectionClass, 4);
    Layer::Status back(record);
    EXPECT_EQ(back.getFlags(), record.flags);
    EXPECT_EQ(back.getConnectionClass(), 4u);
    EXPECT_TRUE(Layer(AttributeLink(2, AttrLayer)) == walls);
}

TEST_F(LayerChecks, TellsWhyALayerCannotTakeElements) {
    Project* project = Host::getProject();
    zavhost::AlertDesk& alerts = host.alerts();

    Layer usable(AttributeLink(2, AttrLayer));
    EXPECT_EQ(project->checkLayer(usable, false), 2);
    Layer hidden(AttributeLink(hiddenLayer, AttrLayer));
    EXPECT_EQ(project->checkLayer(hidden, true), 0);
    EXPECT_TRUE(alerts.shown().empty());

    alerts.queue({2, "", 0});
    EXPECT_EQ(project->checkLayer(hidden, false), 0);
    ASSERT_EQ(alerts.shown().size(), 1u);
    const zavhost::ShownAlert& shown = alerts.shown().back();
    EXPECT_EQ(shown.headline, "Editing");
    EXPECT_EQ(
        shown.message,
        "The layer named \"Hidden Things\" is hidden. Please show it or choose another layer for this tool.");
    EXPECT_EQ(std::vector<std::string>(std::begin(shown.buttons), std::end(shown.buttons)),
              (std::vector<std::string>{"Choose Layer", "Cancel", "Show Layer"}));

    alerts.queue({1, "", 0});
    EXPECT_EQ(project->checkLayer(hidden, false), 1);

    // Showing the layer needs the host to take it; outside an undo step it does not.
    alerts.queue({3, "", 0});
    EXPECT_EQ(project->checkLayer(hidden, false), 0);
    alerts.queue({3, "", 0});
    int answer = -1;
    ASSERT_TRUE(change([&] { return (answer = project->checkLayer(hidden, false)) == 2; }));
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(hostProject(host).model.attributes.find(AttrLayer, hiddenLayer)->header().flags, 0);

    const struct {
        int index;
        uint16_t flags;
        const char *message, *third;
    } cases[] = {
        {3, LayerLocked,
         "The layer named \"Annotation\" is locked. Please unlock it or choose another layer for this tool.",
         "Unlock Layer"},
        {4, LayerNotInWorkspace | LayerLocked,
         "The layer named \"Dimensions\" is not in your workspace. Please choose another layer for this "
         "tool.",
         ""},
        {66, 0,
         "The layer previously selected for this tool is missing. Please choose another layer for this tool.",
         ""},
    };
    for (const auto& c : cases) {
        Layer layer(AttributeLink(c.index, AttrLayer));
        if (c.flags != 0) layer.setFlags(c.flags);
        alerts.queue({2, "", 0});
        project->checkLayer(layer, false);
        EXPECT_EQ(alerts.shown().back().message, c.message);
        EXPECT_EQ(alerts.shown().back().buttons[2], c.third) << c.message;
    }
}

TEST_F(LayerChecks, ToolChecksEndWhenTheUserKeepsChoosingAndNothingChanges) {
    Project* project = Host::getProject();
    const uint32_t textType = 17;
    ElementLink tool(ElementLink::makeTypeId(textType), 0u);
    EXPECT_TRUE(project->checkToolLayer(tool, false)); // the default layer is usable
    EXPECT_TRUE(host.alerts().shown().empty());

    hostProject(host).model.defaults.edit(textType, 0).record.head.layer = hiddenLayer;
    EXPECT_FALSE(project->checkToolLayer(tool, true));
    EXPECT_TRUE(host.alerts().shown().empty());

    // The scripted user answers every alert with its first button, "Choose Layer".
    size_t before = mark();
    EXPECT_FALSE(project->checkToolLayer(tool, false));
    EXPECT_EQ(host.alerts().shown().size(), 1u);
    EXPECT_EQ(callsWith(host, "SETD", before), 1u);
    EXPECT_EQ(hostProject(host).session.defaultToolType, textType);

    host.alerts().queue({0, "Cancel", 0});
    EXPECT_FALSE(project->checkToolLayer(tool, false));

    host.alerts().queue({0, "Show Layer", 0});
    bool placed = false;
    ASSERT_TRUE(change([&] { return placed = project->checkToolLayer(tool, false); }));
    EXPECT_TRUE(placed);
}

// The user's choice may leave the tool on the same layer, but shown, or made where it was missing:
// the check goes on and takes that layer.
TEST_F(LayerChecks, AToolCheckGoesOnWhenTheChoiceChangedTheLayersFlagsOrMadeIt) {
    Project* project = Host::getProject();
    const uint32_t textType = 17;
    ElementLink tool(ElementLink::makeTypeId(textType), 0u);
    auto& model = hostProject(host).model;
    // What the user does in the tool's settings, where the module switches to the tool.
    std::function<void()> choice;
    host.environmentCalls().add("SETD", [&choice](zavhost::SelectorCall&) {
        choice();
        return hosterr::Ok;
    });

    // The scripted user answers every alert with its first button, "Choose Layer".
    model.defaults.edit(textType, 0).record.head.layer = hiddenLayer;
    choice = [&] { model.attributes.edit(AttrLayer, hiddenLayer)->record.header.flags = 0; };
    EXPECT_TRUE(project->checkToolLayer(tool, false));
    EXPECT_EQ(host.alerts().shown().size(), 1u);

    // A layer missing until the choice has no flags before it or after.
    const int16_t missing = 66;
    model.defaults.edit(textType, 0).record.head.layer = missing;
    choice = [&] {
        zavhost::StoredAttribute made = *model.attributes.find(AttrLayer, 1);
        std::snprintf(made.record.header.name, sizeof made.record.header.name, "Made");
        made.record.header.flags = 0;
        ASSERT_TRUE(model.attributes.restore(AttrLayer, missing, made));
    };
    EXPECT_TRUE(project->checkToolLayer(tool, false));
    EXPECT_EQ(host.alerts().shown().size(), 2u);
}

// A false answer is the user's unless the host could not say: then the caller must tell.
TEST_F(LayerChecks, ToolChecksTellTheHostsFailureFromTheUsersAnswer) {
    Project* project = Host::getProject();
    const uint32_t textType = 17;
    ElementLink tool(ElementLink::makeTypeId(textType), 0u);
    bool hostFailed = true;
    EXPECT_TRUE(project->checkToolLayer(tool, false, &hostFailed));
    EXPECT_FALSE(hostFailed);

    host.faults().set("GetDefaultElement", 1, 1, hosterr::Failed);
    EXPECT_FALSE(project->checkToolLayer(tool, false, &hostFailed));
    EXPECT_TRUE(hostFailed);
    EXPECT_TRUE(host.alerts().shown().empty()); // nothing was asked

    hostProject(host).model.defaults.edit(textType, 0).record.head.layer = hiddenLayer;
    host.alerts().queue({0, "Cancel", 0});
    EXPECT_FALSE(project->checkToolLayer(tool, false, &hostFailed));
    EXPECT_FALSE(hostFailed);

    // The user chooses another layer, and the host cannot switch the tool to let them.
    host.faults().set("SETD", 1, 1, hosterr::Failed);
    EXPECT_FALSE(project->checkToolLayer(tool, false, &hostFailed));
    EXPECT_TRUE(hostFailed);
    host.faults().clear();
    EXPECT_FALSE(project->checkToolLayer(tool, true, &hostFailed)); // quiet: the layer says no
    EXPECT_FALSE(hostFailed);
}

TEST_F(ProjectFiles, AttributesStoreysAndLayersSurviveSaveAndReopen) {
    Specification* spec = Host::getSpecification();
    addStorey(host, "Attic", 9.0);
    Layer roof(String("Roof"));
    roof.setLocked(true);
    roof.setConnectionClass(3);
    Pen pen(AttributeLink(2, AttrPen));
    pen.setRGB24(0x336699);
    pen.setWidth(0.7);
    Layer walls(AttributeLink(2, AttrLayer));
    walls.setHidden(true);
    ASSERT_TRUE(change([&] { return spec->store(roof) && spec->store(pen) && spec->store(walls); }));
    const zavhost::ProjectModel saved = hostProject(host).model;

    TempFolder folder;
    ASSERT_EQ(host.saveAndReopenProject(folder.path("kept.zavproj")), hosterr::Ok);
    EXPECT_TRUE(hostProject(host).model.attributes == saved.attributes);
    EXPECT_TRUE(hostProject(host).model.storeys == saved.storeys);
    projecttest::forget();

    spec = Host::getSpecification();
    Layer roofAgain(String("Roof"));
    EXPECT_TRUE(roofAgain.exists());
    EXPECT_TRUE(roofAgain.isLocked());
    EXPECT_EQ(roofAgain.getConnectionClass(), 3u);
    EXPECT_TRUE(Layer(AttributeLink(2, AttrLayer)).isHidden());
    Pen penAgain(AttributeLink(2, AttrPen));
    EXPECT_EQ(penAgain.getRGB24(), 0x336699u);
    EXPECT_DOUBLE_EQ(penAgain.getWidth(), 0.7);
    Plan* plan = Host::getPlan();
    ASSERT_EQ(plan->getStoreyCount(), 3u);
    EXPECT_EQ(plan->getStoreyByName(String("Attic"))->getIndex(), 2u);
    EXPECT_DOUBLE_EQ(plan->getStorey(1)->getHeight(), 6.0);
}
