// Placed objects, proxies and markers: angles with mirroring, sizes through the record's ratios,
// placement on a storey, the part a link may give, the merge of an edit, the object settings,
// the factories, and each new host function missing in turn.
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <string>

#include "Environment/HostTable.h"
#include "Environment/TempFolder.h"
#include "LibraryTestSupport.h"
#include "elements/CutPlaneReference.h"
#include "elements/ElementTestSupport.h"
#include "library/LibraryModel.h"
#include "library/Object.h"
#include "library/ParameterKinds.h"
#include "library/ProxyElem.h"
#include "library/SourceKinds.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"
#include "platform/host/FunctionSlots.h"
#include "project/Composite.h"
#include "project/Fill.h"
#include "project/Project.h"
#include "project/ViewKinds.h"

using namespace tarnwick;
using namespace librarytest;

namespace {

constexpr double pi = std::numbers::pi;

class Objects : public LibraryFixture {
protected:
    // Parts: 1 "Chair" (A 2, B 1), 2 "Slab" (default sizes 0), 3 "Sized" (sizes kept as given),
    // 4 "Lamp" (a lamp), 5 "Door" (an object part that derives from the doors).
    void SetUp() override {
        chair = addPart("Chair", LibPartObject, 2.0, 1.0);
        addPart("Slab", LibPartObject, 0.0, 0.0);
        parts().edit(addPart("Sized", LibPartObject, 2.0, 1.0))->firstDetail = 1;
        lamp = addPart("Lamp", LibPartLamp, 0.3, 0.3);
        door = add("Door", LibPartObject, "{D}-{1}", doorFamily);
    }

    uint32_t addPart(const char* name, uint32_t type, double a, double b) {
        zavhost::LibraryPart part;
        part.name = name;
        part.type = type;
        part.a = a;
        part.b = b;
        const uint32_t index = parts().add(part);
        ParameterList defaults;
        for (auto [p, value] : {std::pair{"A", a}, {"B", b}, {"zzyzx", 0.9}}) {
            auto length = std::make_unique<LengthParameter>(String(p));
            length->storeValue(value, 0, 0);
            defaults.append(std::move(length));
        }
        setDefaults(index, defaults);
        return index;
    }
    Object placed(uint32_t index) { return Object(ComponentLink(index, LibPartObject, &library()), 0); }
    // A host object of the part on a storey, with the fill given, read back through the plan.
    std::unique_ptr<Element> hostObject(uint32_t index, int16_t storey, uint16_t fill = 0) {
        const API_Guid guid =
            elementtest::addHostElement(host(), Object::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
                HostObjectElement fields;
                fields.head = e.record.head;
                fields.head.storey = storey;
                fields.libIndex = index;
                fields.fill = fill;
                fields.widthRatio = fields.depthRatio = 1.0;
                std::memcpy(e.record.raw, static_cast<const void*>(&fields), sizeof fields);
                e.memo.blocks[offsetof(API_ElementMemo, parameters)] = *parts().part(index)->parameters;
            });
        Plan* plan = Host::getPlan();
        return plan->getElement(ElementLink(Guid(guid), plan), nullptr);
    }

    uint32_t chair = 0;
    uint32_t lamp = 0;
    uint32_t door = 0;
};

} // namespace

TEST_F(Objects, AnglesStayInOneTurnAndAMirroredObjectIsTurnedByHalfOfOne) {
    const struct {
        bool mirrored;
        double set, stored, got;
    } cases[] = {
        {false, -pi / 2, 3 * pi / 2, 3 * pi / 2},
        {true, -pi / 2, pi / 2, 3 * pi / 2},
        {false, 2 * pi - 1e-6, 0.0, 0.0},
        {true, pi, 0.0, pi},
        {false, 5 * pi, pi, pi},
    };
    Object object = placed(chair);
    for (const auto& c : cases) {
        object.setMirrored(c.mirrored);
        object.setAngle(c.set);
        EXPECT_NEAR(object.getObjectRecord().angle, c.stored, 1e-12) << c.set;
        EXPECT_NEAR(object.getAngle(), c.got, 1e-12) << c.set;
    }
}

TEST_F(Objects, SizesGoIntoTheRecordAsRatiosUnlessThePartKeepsThemAsGiven) {
    const struct {
        const char* part;
        double placed, ratio; // as placed (A at the part's default), and after A is set to 3
    } cases[] = {{"Chair", 1.0, 1.5}, {"Slab", 0.0, 0.0}, {"Sized", 2.0, 3.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        Object object(String(c.part), 0);
        EXPECT_EQ(object.getObjectRecord().widthRatio, c.placed);
        object.setA(3.0);
        EXPECT_EQ(object.getObjectRecord().widthRatio, c.ratio); // never inf or NaN
        EXPECT_EQ(object.ComponentParameterMemo::getParameterA(), 3.0);
    }
    EXPECT_TRUE(Object(String("Sized"), 0).isFirstDetailSet());
    EXPECT_TRUE(Object(ComponentLink(), 0).isFirstDetailSet()); // no part: the sizes are as given
    Object chairObject = placed(chair);
    chairObject.setB(0.5);
    EXPECT_EQ(chairObject.getObjectRecord().depthRatio, 0.5);
    EXPECT_EQ(chairObject.getParameterB(), 0.5);
}

TEST_F(Objects, PlacementIsStoreyRelativeAndReadsBackAsSet) {
    std::unique_ptr<Element> element = hostObject(chair, 1); // "First Floor", level 3
    auto* object = dynamic_cast<Object*>(element.get());
    ASSERT_NE(object, nullptr);
    object->setReferencePoint(CadPoint(1.0, 2.0, 0.5));
    CadPoint point;
    object->getReferencePoint(point);
    EXPECT_EQ(point.getZ(), 0.5);
    EXPECT_EQ(object->getElevation(false), 0.5);
    EXPECT_EQ(object->getElevation(true), 3.5);
    object->setElevation(4.0, true);
    EXPECT_EQ(object->getObjectRecord().elevation, 1.0);

    object->setPattern(Fill(AttributeLink(int16_t(1), AttrFill)), 0);
    object->setPattern(Fill(AttributeLink(int16_t(0), AttrFill)), 0); // "no fill" fills nothing
    EXPECT_EQ(object->getObjectRecord().fill, 1);
    Pen pen;
    object->setPen(Pen(AttributeLink(int16_t(5), AttrPen)), 8);
    object->getPen(pen, 12);
    EXPECT_EQ(pen.getIndex16(), 5);
    object->getPen(pen, 3);
    EXPECT_EQ(pen.getIndex16(), 0);
    // The host's box of A 2, B 1 and zzyzx 0.9.
    EXPECT_DOUBLE_EQ(object->getMeasureD(), 1.8);
    EXPECT_DOUBLE_EQ(object->getMeasureC(), 2 * (2.0 + 1.8 + 0.9));
    EXPECT_DOUBLE_EQ(object->getBoundsZSize(), 0.9);
}

TEST_F(Objects, TheFillAnswersOnlyForTheFillRoles) {
    std::unique_ptr<Element> element = hostObject(chair, 0);
    auto& object = dynamic_cast<Object&>(*element);
    EXPECT_EQ(object.getPattern(0), nullptr); // no fill yet
    object.setPattern(Fill(AttributeLink(int16_t(4), AttrFill)), 0);
    for (uint32_t role = 0; role <= 12; ++role) {
        SCOPED_TRACE(role);
        std::unique_ptr<Pattern> pattern = object.getPattern(role);
        if (role == 0 || role == 1 || role == 3) {
            ASSERT_NE(pattern, nullptr);
            EXPECT_EQ(pattern->getIndex(), 4u);
            EXPECT_NE(dynamic_cast<Fill*>(pattern.get()), nullptr);
        } else {
            EXPECT_EQ(pattern, nullptr);
        }
    }
}

TEST_F(Objects, AFillOfIndexOneOrMoreIsTakenForRoles0And3Only) {
    std::unique_ptr<Element> element = hostObject(chair, 0, 2);
    const auto& object = dynamic_cast<const Object&>(*element);
    const std::function<bool(const Object&)> tookFour = [](const Object& o) {
        return o.getObjectRecord().fill == 4;
    };
    // Role 1 answers the fill but is not one to set it by.
    elementtest::expectPatternKinds(object, Fill(AttributeLink(int16_t(4), AttrFill)),
                                    {{0, true}, {1, false}, {2, false}, {3, true}, {6, false}}, tookFour,
                                    "fill 4");
    for (int16_t index : {int16_t(0), int16_t(-4)})
        elementtest::expectPatternKinds(object, Fill(AttributeLink(index, AttrFill)),
                                        {{0, false}, {3, false}}, tookFour, "fill " + std::to_string(index));
    elementtest::expectPatternKinds(object, tarnwick::Composite(AttributeLink(int16_t(4), AttrComposite)),
                                    {{0, false}, {3, false}}, tookFour, "composite 4");
}

TEST_F(Objects, AnObjectInitialisedFromAPartIsMarkedChangedUntilItIsSaved) {
    EXPECT_TRUE(Object(String("Chair"), 0).isUserDataChanged());
    EXPECT_TRUE(Object(ComponentLink(), 0).isUserDataChanged());

    std::unique_ptr<Element> element = hostObject(chair, 0);
    auto& object = dynamic_cast<Object&>(*element);
    EXPECT_FALSE(object.isUserDataChanged()); // as read
    object.initFromPart(ComponentLink(lamp, LibPartLamp, &library()));
    EXPECT_TRUE(object.isUserDataChanged());
    EXPECT_EQ(object.getPartIndex(), lamp);
    ASSERT_TRUE(elementtest::change([&] { return Host::getPlan()->saveElement(object, false, true); }));
    EXPECT_FALSE(object.isUserDataChanged()); // written with the element
}

TEST_F(Objects, OnlyObjectAndLampPartsThatGiveAnObjectSourceAreLinked) {
    const struct {
        uint32_t index, type;
        bool linked;
    } cases[] = {{chair, 0, true},
                 {lamp, LibPartLamp, true},
                 {chair, LibPartDoor, false},
                 {door, LibPartObject, false},
                 {99, LibPartObject, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index * 100 + c.type);
        Object object = placed(3); // "Sized"
        object.setA(7.0);
        object.setComponentLink(ComponentLink(c.index, c.type, &library()), true, true);
        EXPECT_EQ(object.getPartIndex(), c.linked ? c.index : 3u);
        EXPECT_EQ(object.getComponentLink().getIndex(), c.linked ? c.index : 3u);
        EXPECT_EQ(object.isFirstDetailSet(), !c.linked);
        // Reloaded, A takes the part's default.
        EXPECT_EQ(object.getParameterA(), c.linked ? parts().part(c.index)->a : 7.0);
    }
}

TEST_F(Objects, AMergeTakesWhatTheEditChangedAndFollowsANewPart) {
    std::unique_ptr<Element> mine = hostObject(chair, 0);
    std::unique_ptr<Element> reference = mine->clone();
    std::unique_ptr<Element> changed = mine->clone();
    auto& edited = dynamic_cast<Object&>(*changed);
    edited.setAngle(1.0);
    edited.setComponentLink(ComponentLink(lamp, LibPartLamp, &library()), false, false);
    auto record = edited.buildRecord();
    HostObjectElement fields;
    std::memcpy(static_cast<void*>(&fields), record->raw, sizeof fields);
    fields.red = 1e-6; // no change worth taking
    fields.secondPen = 4;
    std::memcpy(record->raw, static_cast<const void*>(&fields), sizeof fields);
    Object colourChanged(*record, edited.getLink());
    colourChanged.setComponentLink(ComponentLink(lamp, LibPartLamp, &library()), false, false);

    auto& object = dynamic_cast<Object&>(*mine);
    HostObjectElement own = object.getObjectRecord();
    object.setPen(Pen(AttributeLink(int16_t(2), AttrPen)), 1);
    object.mergeChanges(colourChanged, *reference);
    EXPECT_EQ(object.getObjectRecord().angle, 1.0);
    EXPECT_EQ(object.getObjectRecord().secondPen, 4);
    EXPECT_EQ(object.getObjectRecord().pen, 2); // the edit left it alone
    EXPECT_EQ(object.getObjectRecord().red, own.red);
    EXPECT_EQ(object.getPartIndex(), lamp);
    EXPECT_EQ(object.getComponentLink().getIndex(), lamp);
}

TEST_F(Objects, TheObjectSettingsTakeThePartAndLeaveNothingBehind) {
    Object defaults(true, 0);
    const int64_t handles = BMLiveHandleCount();
    host().libraryDesk().objectSettings.push_back({});
    EXPECT_FALSE(defaults.editDefaults());
    EXPECT_FALSE(defaults.editDefaults()); // nothing queued: cancelled too
    EXPECT_EQ(defaults.getPartIndex(), 0u);
    zavhost::ObjectSettingsAnswer accept;
    accept.accept = true;
    accept.part = "Chair";
    accept.angle = 90.0;
    host().libraryDesk().objectSettings.push_back(accept);
    EXPECT_TRUE(defaults.editDefaults());
    EXPECT_EQ(defaults.getPartIndex(), chair);
    EXPECT_NEAR(defaults.getAngle(), pi / 2, 1e-12);
    EXPECT_EQ(defaults.getZzyzx(), 0.9);         // the part's parameters came with it
    EXPECT_EQ(BMLiveHandleCount(), handles + 0); // the memo and the dialog's handle are gone...
    EXPECT_TRUE(defaults.setAsDefault());
    EXPECT_EQ(Object(true, 0).getPartIndex(), chair); // ...and the defaults have it now
    EXPECT_EQ(Object(false, 0).getParameterA(), 2.0);
}

TEST_F(Objects, FactoriesTakeOnlyTheirTypeAndAProxyFindsItsElementOnThePlan) {
    registerObjectElementCreators();
    const Guid object = hostObject(chair, 0)->getGuid();
    zavhost::ViewDatabase* section = host().project()->model.views.add(DatabaseSection, u"S-1");
    const API_Guid proxy = elementtest::addHostProxy(host(), section, object.toAPI(), Object::TypeCode);
    const struct {
        uint32_t type;
        bool (*is)(const Element*);
    } kinds[] = {
        {6, [](const Element* e) { return dynamic_cast<const Object*>(e) != nullptr; }},
        {25, [](const Element* e) { return dynamic_cast<const SectionReference*>(e) != nullptr; }},
        {33, [](const Element* e) { return dynamic_cast<const ElevationReference*>(e) != nullptr; }},
        {29, [](const Element* e) { return dynamic_cast<const ProxyElem*>(e) != nullptr; }},
    };
    for (const auto& kind : kinds) {
        API_Element record;
        record.head.typeCode = kind.type;
        ElementLink link;
        EXPECT_TRUE(kind.is(createElement(record, link, nullptr).get())) << kind.type;
        for (auto creator : {&createObject, &createProxy, &createSectionReference, &createElevationReference})
            if (std::unique_ptr<Element> made = creator(record, link)) {
                EXPECT_TRUE(kind.is(made.get()));
            }
    }
    Drawing* view = Host::getProject()->getSection(0);
    std::unique_ptr<Element> read = view->getElement(ElementLink(Guid(proxy), view), nullptr);
    auto* stand = dynamic_cast<ProxyElem*>(read.get());
    ASSERT_NE(stand, nullptr);
    std::unique_ptr<Element> shown = stand->getRepresentedElement();
    EXPECT_NE(dynamic_cast<Object*>(shown.get()), nullptr);
    EXPECT_EQ(shown ? shown->getGuid() : Guid(), object);
    EXPECT_EQ(ProxyElem().getRepresentedElement(), nullptr);

    API_Element marker;
    marker.head.typeCode = 25;
    SectionReference reference(marker, ElementLink());
    reference.setExtent(2.5);
    EXPECT_EQ(reference.getBoundsZSize(), 2.5);
}

TEST_F(Objects, EachNewLibraryFunctionMissingInTurnFailsCleanly) {
    parts().edit(chair)->setSection({fourCC("3DSC"), "BLOCK 1, 1, 1", true, false});
    const HostFunctionTable full = hostTable();
    for (const char* slot : {"GetLibPartSectionList", "GetLibPartSection", "UpdateLibPartSection",
                             "AddLibPartSection", "BuildLibPartParamSection", "SetupLibPartParamSection",
                             "CreateLibPart", "SaveLibPart", "GetLibPartDetails"}) {
        SCOPED_TRACE(slot);
        const std::string name = slot;
        HostFunctionTable partial = full;
        ASSERT_TRUE(zavhost::clearFunctionSlot(partial, slot));
        installHostTable(&partial);
        const int64_t handles = BMLiveHandleCount();
        {
            std::unique_ptr<ComponentSource> found = library().getSource(ComponentLink(chair, 0, &library()));
            auto& source = dynamic_cast<ObjectSource&>(*found);
            const bool reading = name == "GetLibPartSectionList" || name == "GetLibPartSection";
            EXPECT_EQ(source.getSectionText(fourCC("3DSC")) == String("BLOCK 1, 1, 1"), !reading);
            EXPECT_EQ(library().registerFromSource(source), name != "UpdateLibPartSection" &&
                                                                name != "BuildLibPartParamSection" &&
                                                                name != "SetupLibPartParamSection");
            std::unique_ptr<ComponentSource> copy = source.clone();
            copy->clearLink();
            copy->setFile(File(String("Copy ") + slot));
            const bool makes = name != "CreateLibPart" && name != "SaveLibPart" &&
                               name != "AddLibPartSection" && name != "BuildLibPartParamSection" &&
                               name != "SetupLibPartParamSection";
            EXPECT_EQ(library().registerFromSource(*copy), makes);
            EXPECT_EQ(Object(String("Sized"), 0).isFirstDetailSet(), name != "GetLibPartDetails");
        }
        EXPECT_EQ(BMLiveHandleCount(), handles);
        host().libraryDesk().openPart.reset(); // what a host without SaveLibPart keeps open
    }
    installHostTable(&full);
}

namespace {

// An object's IFC data through the host: what it derives only outside stored-only reads, each
// property stored and read back by a fresh object after a save and reopen and taken back by undo, a group
// removed, and what is not stored.
TEST_F(Objects, IFCDataIsStoredInTheHostAndReadBackByMode) {
    std::unique_ptr<Element> element = hostObject(chair, 0);
    auto& object = dynamic_cast<Object&>(*element);
    String id;
    EXPECT_EQ(object.getGlobalId(id), "");
    object.setMode(1);
    EXPECT_EQ(object.getGlobalId(id), object.getGuid().toString());

    StringSetting text{String("oak")};
    LengthSetting length{1.25};
    auto* material =
        new IFCSingleValue(&text, String("Material"), String("Pset_Chair"), String("IfcLabel"), String());
    auto* height = new IFCSingleValue(&length, String("Height"), String("Pset_Chair"),
                                      String("IfcLengthMeasure"), String());
    IFCSingleValue noGroup(&text, String("Loose"), String(), String("IfcLabel"), String());
    EXPECT_TRUE(object.addProperty(material));
    EXPECT_TRUE(object.addProperty(height));
    EXPECT_TRUE(object.addProperty(material)); // held already: kept once
    EXPECT_FALSE(object.addProperty(&noGroup));
    EXPECT_TRUE(object.addAttribute(new IFCAttribute(&text, String("ObjectType"), String("IfcLabel"))));
    Object unplaced = placed(chair);
    IFCSingleValue kept(&text, String("Material"), String("Pset_Chair"), String("IfcLabel"), String());
    EXPECT_FALSE(unplaced.addProperty(&kept));
    // A host that cannot store it: the list stays as it was.
    const HostFunctionTable full = hostTable();
    HostFunctionTable partial = full;
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "SetIFCProperty"));
    installHostTable(&partial);
    EXPECT_FALSE(object.addProperty(&kept));
    installHostTable(&full);
    EXPECT_EQ(object.getPropertyGroups()->at(String("Pset_Chair")).size(), 2u);

    TempFolder folder;
    ASSERT_EQ(host().saveAndReopenProject(folder.path("ifc.zavproj")), hosterr::Ok);
    Plan* plan = Host::getPlan();
    auto again = plan->getElement(ElementLink(object.getGuid(), plan), nullptr);
    auto& reread = dynamic_cast<Object&>(*again);
    IFCProperty* back = reread.findProperty(String("Height"), String());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(static_cast<IFCSingleValue*>(back)->getValue()->asDouble(), 1.25);
    EXPECT_EQ(reread.findAttribute(String("ObjectType"))->getValue()->asText(), "oak");
    EXPECT_EQ(reread.getPropertyGroups()->at(String("Pset_Chair")).size(), 2u);
    EXPECT_EQ(reread.getGlobalId(id), "");

    Object copy(reread);
    reread.removePropertyGroup(String("Pset_Chair"));
    reread.removePropertyGroup(String("Pset_None"));
    EXPECT_TRUE(reread.getPropertyGroups()->empty());
    EXPECT_NE(copy.findProperty(String("Material"), String("Pset_Chair")), nullptr);
    auto last = plan->getElement(ElementLink(object.getGuid(), plan), nullptr);
    EXPECT_EQ(dynamic_cast<Object&>(*last).findProperty(String("Material"), String()), nullptr);

    // A property stored in an undo step goes with its undo.
    auto& current = dynamic_cast<Object&>(*last);
    ASSERT_TRUE(elementtest::change([&] {
        return current.addProperty(
            new IFCSingleValue(&text, String("Finish"), String("Pset_Chair"), String("IfcLabel"), String()));
    }));
    ASSERT_EQ(host().undo(), hosterr::Ok);
    auto undone = plan->getElement(ElementLink(object.getGuid(), plan), nullptr);
    EXPECT_EQ(dynamic_cast<Object&>(*undone).findProperty(String("Finish"), String()), nullptr);
}

} // namespace

TEST_F(Objects, TheOwnerOffsetAndKindGoTogetherWhenTheOwnerIsLetGo) {
    Object object = placed(chair);
    object.setOwnerOffset(CadPoint(1.5, -2.0, 9.0));
    object.setOwnerKind(3);
    EXPECT_EQ(object.getOwnerOffset(), CadPoint(1.5, -2.0, 0.0));
    EXPECT_DOUBLE_EQ(object.getObjectRecord().ownerOffsetX, 1.5);
    EXPECT_DOUBLE_EQ(object.getObjectRecord().ownerOffsetY, -2.0);
    EXPECT_EQ(object.getOwnerKind(), 3);
    const API_Guid owner = zavhost::newGuid();
    object.setOwner(ElementLink(Guid(owner), Host::getPlan()));
    object.detachOwner();
    EXPECT_EQ(object.getOwnerOffset(), CadPoint());
    EXPECT_EQ(object.getOwnerKind(), 0);
    EXPECT_EQ(object.getObjectRecord().ownerGuid, owner); // the owner's Guid stays
    EXPECT_FALSE(object.getSecondLink().hasGuid());
}
