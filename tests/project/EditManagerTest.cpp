// The edit manager: what makes an element editable, what it remembers, and how it puts the layers,
// locks and reservations back.
#include <gtest/gtest.h>

#include "Environment/EditManager.h"
#include "ProjectTestSupport.h"
#include "elements/ElementTestSupport.h"
#include "project/Plan.h"
#include "project/ViewKinds.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr uint16_t Text = 15;
constexpr uint16_t Me = 1;
constexpr uint16_t Other = 2;
constexpr uint16_t Both = LayerLocked | LayerHidden;
using Calls = std::vector<std::string>;

class EditManagers : public projecttest::HostTest {
protected:
    EditManagers() {
        project().model.views.add(DatabaseSection, u"S-1");
        for (const char* name : {"me", "other"})
            project().model.settings.users.push_back(
                zavhost::SharedUser{name, name, zavhost::newGuid(),
                                    static_cast<uint16_t>(project().model.settings.users.size() + 1), 0});
    }

    Creators creators{Text};

    zavhost::Project& project() { return *host.project(); }
    zavhost::ViewDatabase* section() { return project().model.views.findNamed("S-1"); }
    uint16_t layerFlags(int16_t index) {
        return project().model.attributes.find(AttrLayer, index)->header().flags;
    }
    const HostElementHead& hostHead(const API_Guid& guid) {
        return project().model.views.findElement(guid)->head();
    }
    int16_t addLayer(uint16_t flags) {
        return projecttest::addAttribute(host, AttrLayer, "Layer " + std::to_string(++m_layers),
                                         [flags](API_Attribute& record) { record.header.flags = flags; });
    }
    void setShared(bool shared) {
        project().model.settings.shared = shared;
        projecttest::forget(); // the user and the databases are asked again
    }
    API_Guid addElement(int16_t layer, bool locked, bool inSection = false) {
        return addHostElement(host, Text, inSection ? section() : nullptr, [&](zavhost::StoredElement& e) {
            e.record.head.layer = static_cast<uint16_t>(layer);
            e.record.head.lockWord = locked ? 1 : 0;
        });
    }
    // The element as its drawing reads it, with the floor plan current again afterwards.
    std::unique_ptr<Element> read(const API_Guid& guid) {
        const zavhost::ViewDatabase* where = nullptr;
        project().model.views.findElement(guid, &where);
        Drawing* drawing = Host::getPlan();
        if (where->kind == DatabaseSection) drawing = Host::getProject()->getSection(0);
        ElementLink link;
        std::unique_ptr<Element> element;
        if (drawing->findElement(Guid(guid), &link, nullptr, nullptr)) element = drawing->get(link);
        EXPECT_TRUE(Host::setCurrentDatabase(Host::getPlan()));
        return element;
    }
    int32_t makeEditable(EditManager& manager, Element& element) {
        int32_t result = -1;
        EXPECT_TRUE(projecttest::change([&] {
            result = manager.makeEditable(element, true, true, true);
            return true;
        }));
        return result;
    }
    void restore(EditManager& manager, bool database = false) {
        EXPECT_TRUE(projecttest::change([&] {
            manager.restore(database);
            return true;
        }));
    }
    size_t calls(const char* fragment, size_t from) { return host.calls().count(fragment, from); }
    // For each call from `from` on that holds one of the fragments, the first it holds.
    Calls sequence(size_t from, const Calls& fragments) {
        Calls seen;
        for (size_t i = from; i < host.calls().size(); ++i) {
            const std::string text = host.calls()[i].text();
            for (const std::string& fragment : fragments)
                if (text.find(fragment) != std::string::npos) {
                    seen.push_back(fragment);
                    break;
                }
        }
        return seen;
    }

private:
    int m_layers = 0;
};

} // namespace

TEST_F(EditManagers, MakeEditableAnswersAndEverythingIsPutBack) {
    struct Case {
        const char* name;
        bool shared, teamwork, anyDatabase, inSection, editBlock, locked;
        uint16_t layer;  // the element's layer flags
        uint16_t heldBy; // another user holding it, 0: none
        uint16_t owner;
        int32_t result;
        size_t unlocks, reservations; // host calls makeEditable makes
        bool lockedThen;              // the host's lock word after makeEditable
        uint16_t ownerThen;
    };
    const std::vector<Case> cases = {
        {"edit block", false, true, true, false, true, true, Both, 0, 0, 0, 0, 0, true, 0},
        {"already editable", false, true, true, false, false, false, 0, 0, 0, 1, 0, 0, false, 0},
        {"locked and hidden layer", false, true, true, false, false, false, Both, 0, 0, 1, 0, 0, false, 0},
        {"locked elsewhere, current only", false, true, false, true, false, true, 0, 0, 0, 1, 0, 0, true, 0},
        {"locked elsewhere, any database", false, true, true, true, false, true, 0, 0, 0, 1, 1, 0, false, 0},
        {"locked in the current one", false, true, false, false, false, true, 0, 0, 0, 1, 1, 0, false, 0},
        {"shared, teamwork off", true, false, true, false, false, false, 0, 0, 0, 1, 0, 0, false, 0},
        {"shared, free element", true, true, true, false, false, true, LayerLocked, 0, 0, 1, 1, 1, false, Me},
        {"shared, mine already", true, true, true, false, false, true, LayerHidden, 0, Me, 1, 1, 0, false,
         Me},
        {"shared, held by another", true, true, true, false, false, true, Both, Other, Other, 0, 0, 1, true,
         Other},
        {"unlock refused", true, false, true, false, false, true, 0, Other, Other, 0, 1, 0, true, Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setShared(c.shared);
        const int16_t layer = addLayer(c.layer);
        const API_Guid guid = addElement(layer, c.locked, c.inSection);
        {
            zavhost::StoredElement& stored = *project().model.views.editElement(guid);
            stored.record.head.ownerUserId = c.owner;
            if (c.editBlock) stored.record.head.editBlockGuid = zavhost::newGuid();
            if (c.heldBy != 0) project().session.heldByOthers[guid] = static_cast<int16_t>(c.heldBy);
        }
        std::unique_ptr<Element> element = read(guid);
        ASSERT_NE(element, nullptr) << host.calls().texts(0);
        EditManager manager(c.teamwork, c.anyDatabase);
        EXPECT_EQ(manager.isTeamwork(), c.shared && c.teamwork);

        size_t before = mark();
        int32_t result = -1;
        if (c.editBlock) {
            result = manager.makeEditable(*element, true, true, true);
            EXPECT_EQ(mark(), before) << host.calls().texts(before);
        } else {
            result = makeEditable(manager, *element);
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(calls("ULCK", before), c.unlocks);
        EXPECT_EQ(calls("GetElementReservations", before), c.reservations);
        EXPECT_EQ(hostHead(guid).lockWord != 0, c.lockedThen);
        EXPECT_EQ(hostHead(guid).ownerUserId, c.ownerThen);
        EXPECT_EQ(layerFlags(layer), c.editBlock ? c.layer : 0);
        EXPECT_EQ(element->getRecord().ownerUserId, c.result == 1 ? c.ownerThen : c.owner);

        before = mark();
        restore(manager);
        EXPECT_EQ(layerFlags(layer), c.layer);
        EXPECT_EQ(hostHead(guid).lockWord != 0, c.locked);
        EXPECT_EQ(hostHead(guid).ownerUserId, c.owner);
        EXPECT_EQ(calls("LOCK", before), c.locked && !c.lockedThen ? 1u : 0u);
        EXPECT_EQ(calls("ReleaseElements", before), c.ownerThen != c.owner ? 1u : 0u);
        EXPECT_EQ(project().session.heldByOthers.count(guid), c.heldBy != 0 ? 1u : 0u);
    }
}

TEST_F(EditManagers, RestoreRelocksThenRestoresLayersThenTheDatabaseThenReleases) {
    setShared(true);
    const API_Guid guid = addElement(addLayer(LayerLocked), true);
    std::unique_ptr<Element> element = read(guid);
    EditManager manager(true, true);
    ASSERT_EQ(makeEditable(manager, *element), 1);
    const size_t before = mark();
    restore(manager, true);
    EXPECT_EQ(sequence(before, {"LOCK", "ModifyAttribute", "CHWD", "CDAT", "ReleaseElements"}),
              (Calls{"LOCK", "ModifyAttribute", "CHWD", "CDAT", "ReleaseElements"}));
}

TEST_F(EditManagers, RestoreWithNothingRememberedAsksOnlyForTheDatabase) {
    for (bool database : {false, true}) {
        SCOPED_TRACE(database);
        EditManager manager(true, true);
        const size_t before = mark();
        manager.restore(database);
        // The empty fragment stands for any other call.
        EXPECT_EQ(sequence(before, {"CHWD", "CDAT", ""}), (database ? Calls{"CHWD", "CDAT"} : Calls{}));
    }
}

TEST_F(EditManagers, ElementsUnlockedInTwoDatabasesAreRelockedEachThroughItsOwn) {
    const int16_t layer = addLayer(0);
    const std::vector<API_Guid> guids = {addElement(layer, true), addElement(layer, true, true),
                                         addElement(layer, true)};
    EditManager manager(false, true);
    for (const API_Guid& guid : guids) {
        std::unique_ptr<Element> element = read(guid);
        ASSERT_EQ(makeEditable(manager, *element), 1);
    }
    const size_t before = mark();
    restore(manager);
    EXPECT_EQ(sequence(before, {"LOCK", "CDAT (plan)", "CDAT (section"}),
              (Calls{"LOCK", "CDAT (section", "LOCK"}));
    EXPECT_EQ(sequence(before, {"LOCK 2", "LOCK 1"}), (Calls{"LOCK 2", "LOCK 1"}));
    for (const API_Guid& guid : guids)
        EXPECT_NE(hostHead(guid).lockWord, 0);
}

TEST_F(EditManagers, ACopyPutsBackWhatItRemembersOnItsOwn) {
    const int16_t layer = addLayer(LayerLocked);
    const API_Guid guid = addElement(layer, true);
    std::unique_ptr<Element> element = read(guid);
    EditManager manager(false, true);
    ASSERT_EQ(makeEditable(manager, *element), 1);
    EditManager copy(manager);
    restore(manager);
    // The host is edited again, as a user might; only the copy still knows what to put back.
    project().model.attributes.edit(AttrLayer, layer)->record.header.flags = 0;
    project().model.views.editElement(guid)->record.head.lockWord = 0;
    size_t before = mark();
    restore(manager);
    EXPECT_EQ(sequence(before, {"LOCK", "ModifyAttribute"}), Calls{});
    restore(copy);
    EXPECT_EQ(sequence(before, {"LOCK", "ModifyAttribute"}), (Calls{"LOCK", "ModifyAttribute"}));
    EXPECT_EQ(layerFlags(layer), LayerLocked);
    EXPECT_NE(hostHead(guid).lockWord, 0);
}
