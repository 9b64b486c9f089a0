// Element iterators over view databases: the collector's read-only walk, write-back, ownership of
// the items, copies sharing one list, the ends, and links whose view has gone.
#include <gtest/gtest.h>

#include <set>

#include "ProjectTestSupport.h"
#include "elements/ElementTestSupport.h"
#include "project/ElementLinkList.h"
#include "project/Plan.h"
#include "project/ProgressWindow.h"
#include "project/ViewKinds.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

// The collector's filter: text blocks and labels that carry user data.
class Annotations : public Drawing::Filter {
public:
    Annotations() : Filter(0, false, false, true) {}
    std::unique_ptr<Filter> clone() const override { return std::make_unique<Annotations>(*this); }
    bool accepts(const Element& element) const override {
        uint8_t type = element.getLink().getTypeCode();
        return type == 15 || type == 16;
    }
};

class CountingMonitor : public ProgressMonitor {
public:
    void step() override { ++steps; }
    int steps = 0;
};

Drawing::Filter texts() {
    return Drawing::Filter(ElementLink::makeTypeId(15), false, false, false);
}

const char* const hostChanges[] = {"CreateElement",      "ChangeElement (",      "DeleteElements",
                                   "SetElementUserData", "ClearElementUserData", "ChangeDefaultElement",
                                   "ElementToolCall",    "ElementSwitch"};

size_t changesSince(zavhost::StandInHost& host, size_t from) {
    size_t n = 0;
    for (const char* change : hostChanges)
        n += host.calls().count(change, from);
    return n;
}

using ElementWalks = HostTest;

} // namespace

TEST_F(ElementWalks, TheCollectorFindsExactlyTheAnnotatedTextsAndLabelsAndChangesNothing) {
    Creators creators{1, 15, 16};
    zavhost::ViewDatabase* sheet = host.project()->model.views.add(DatabaseWorksheet, u"Sheet");
    const API_Guid sheetGuid = sheet->guid;
    std::set<Guid> expected;
    auto annotate = [&](uint32_t type, bool withData, zavhost::ViewDatabase* where) {
        API_Guid guid = addHostElement(host, type, where);
        if (withData)
            setHostUserData(host, guid, "<annotation id=\"" + std::to_string(expected.size()) + "\"/>");
        if (withData && type != 1) expected.insert(Guid(guid));
    };
    annotate(15, true, nullptr);
    annotate(15, false, nullptr);
    annotate(16, true, nullptr);
    annotate(1, true, nullptr); // user data, but a wall
    annotate(16, true, host.project()->model.views.findByGuid(sheetGuid));
    annotate(15, false, host.project()->model.views.findByGuid(sheetGuid));
    projecttest::forget();
    const zavhost::ProjectModel before = host.project()->model;
    const size_t firstCall = host.calls().size();

    Project* project = Host::getProject();
    std::vector<Drawing*> drawings{project->getPlan(), project->getWorksheet(0)};
    std::set<Guid> found;
    for (Drawing* drawing : drawings) {
        Drawing::iterator it = drawing->begin(Annotations());
        it.setWriteBack(false);
        for (; it != Drawing::end(); ++it) {
            std::unique_ptr<MemoryBlock> data = it->getUserData();
            ASSERT_NE(data, nullptr);
            EXPECT_NE(bytesOf(*data).find("<annotation"), std::string::npos);
            found.insert(it->getGuid());
        }
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(changesSince(host, firstCall), 0u) << host.calls().texts(firstCall);
    EXPECT_TRUE(host.project()->model == before);
    EXPECT_EQ(TestElement::live, 0);
}

TEST_F(ElementWalks, NonConstantIteratorsWriteBackWhatTheyLeaveUnlessSwitchedOff) {
    Creators creators{15};
    for (int i = 0; i < 3; ++i)
        addHostElement(host, 15);
    addHostElement(host, 16);
    Plan* plan = Host::getPlan();

    size_t before = mark();
    ASSERT_TRUE(change([&] {
        int seen = 0;
        for (Drawing::iterator it = plan->begin(texts()); it != Drawing::end(); ++it)
            ++seen;
        return seen == 3;
    }));
    EXPECT_EQ(host.calls().count("ChangeElement (", before), 3u);

    before = mark();
    ASSERT_TRUE(change([&] {
        Drawing::iterator it = plan->begin(texts());
        EXPECT_TRUE(it.isWriteBack());
        it.setWriteBack(false);
        for (; it != Drawing::end(); ++it) {
        }
        for (Drawing::const_iterator c = plan->cbegin(texts()); c != Drawing::cend(); ++c) {
        }
        return true;
    }));
    EXPECT_EQ(host.calls().count("ChangeElement (", before), 0u);

    // Outside an undoable step the host refuses the write-back; the walk goes on.
    int seen = 0;
    for (Drawing::iterator it = plan->begin(texts()); it != Drawing::end(); ++it)
        ++seen;
    EXPECT_EQ(seen, 3);
}

TEST_F(ElementWalks, AdvancingWithoutDestroyHandsTheItemOverAndCopiesShareTheList) {
    Creators creators{15};
    std::vector<Guid> guids;
    for (int i = 0; i < 3; ++i)
        guids.emplace_back(addHostElement(host, 15));
    Plan* plan = Host::getPlan();

    Drawing::const_iterator it = plan->cbegin(texts());
    std::unique_ptr<Element> kept(&*it);
    it.advance(false);
    EXPECT_EQ(kept->getGuid(), guids[0]); // still alive, and now the caller's
    EXPECT_EQ(it->getGuid(), guids[1]);

    auto copy = std::make_unique<Drawing::const_iterator>(it);
    EXPECT_TRUE(*copy == it);
    EXPECT_NE(&**copy, &*it); // its own item
    ++*copy;
    EXPECT_EQ((*copy)->getGuid(), guids[2]);
    copy.reset();
    ++it;
    EXPECT_EQ(it->getGuid(), guids[2]);
    ++it;
    EXPECT_TRUE(it == Drawing::cend());
    EXPECT_THROW(*it, std::out_of_range);
    EXPECT_THROW(++it, std::out_of_range);

    Drawing::const_iterator original = plan->cbegin(texts());
    Drawing::const_iterator assigned;
    assigned = original;
    original = Drawing::cend(); // the first copy goes; the second keeps working
    int rest = 0;
    for (; assigned != Drawing::cend(); ++assigned)
        ++rest;
    EXPECT_EQ(rest, 3);
    kept.reset();
    EXPECT_EQ(TestElement::live, 0);
}

TEST_F(ElementWalks, EmptyAndUnreadableWalksEndAtOnceAndAReverseWalkRunsLastFirst) {
    Plan* plan = Host::getPlan();
    EXPECT_TRUE(plan->begin(texts()) == Drawing::end());
    EXPECT_TRUE(plan->begin(Drawing::Filter(true, false)) == Drawing::end()); // nothing selected
    std::vector<Guid> guids;
    for (int i = 0; i < 3; ++i)
        guids.emplace_back(addHostElement(host, 15)); // no class takes them
    CountingMonitor monitor;
    Drawing::reverse_iterator back = plan->rbegin(texts(), &monitor);
    EXPECT_TRUE(back == Drawing::rend());
    EXPECT_EQ(monitor.steps, 3);
    EXPECT_TRUE(plan->begin(texts()) == Drawing::end());

    // Once a class takes them, the reverse walk sees them all, last first.
    Creators creators{15};
    std::vector<Guid> order;
    Drawing::reverse_iterator it = plan->rbegin(texts(), &monitor);
    it.setWriteBack(false);
    for (; it != Drawing::rend(); ++it)
        order.push_back(it->getGuid());
    EXPECT_EQ(order, (std::vector<Guid>{guids[2], guids[1], guids[0]}));
    EXPECT_EQ(monitor.steps, 6);
}

TEST_F(ElementWalks, ALinkToAViewThatHasGoneIsSkippedAndANullEntryIsRefused) {
    Creators creators{15};
    zavhost::ViewDatabase* first = host.project()->model.views.add(DatabaseWorksheet, u"First");
    const API_Guid firstGuid = first->guid;
    zavhost::ViewDatabase* second = host.project()->model.views.add(DatabaseWorksheet, u"Second");
    const API_Guid secondGuid = second->guid;
    API_Guid inFirst = addHostElement(host, 15, host.project()->model.views.findByGuid(firstGuid));
    API_Guid onPlan = addHostElement(host, 15);
    API_Guid inSecond = addHostElement(host, 15, host.project()->model.views.findByGuid(secondGuid));
    projecttest::forget();
    Project* project = Host::getProject();
    auto links = std::make_shared<ElementLinkList>();
    links->push_back(std::make_unique<ElementLink>(Guid(inFirst), project->findWorksheet(Guid(firstGuid))));
    links->push_back(std::make_unique<ElementLink>(Guid(onPlan), project->getPlan()));
    links->push_back(std::make_unique<ElementLink>(Guid(inSecond), project->findWorksheet(Guid(secondGuid))));
    links->push_back(std::make_unique<ElementLink>(Guid(inFirst), project->findWorksheet(Guid(firstGuid))));

    Drawing::const_iterator it(links, texts());
    ASSERT_EQ(it->getGuid(), Guid(inFirst));
    // While the walk is on, the second view goes, and the project forgets it; then the first
    // goes from the host while the project still holds its drawing.
    host.project()->model.views.remove(secondGuid);
    projecttest::forget();
    ASSERT_NE(project->findWorksheet(Guid(firstGuid)), nullptr);
    ASSERT_EQ(project->findWorksheet(Guid(secondGuid)), nullptr);
    host.project()->model.views.remove(firstGuid);
    size_t before = mark();
    std::vector<Guid> rest;
    for (++it; it != Drawing::cend(); ++it)
        rest.push_back(it->getGuid());
    EXPECT_EQ(rest, (std::vector<Guid>{Guid(onPlan)}));
    EXPECT_EQ(host.calls().count("CDAT", before), 2u); // the plan, then the first view refused

    auto broken = std::make_shared<ElementLinkList>();
    broken->push_back(std::unique_ptr<ElementLink>());
    EXPECT_THROW(Drawing::const_iterator(broken, texts()), std::bad_alloc);
}
