// An element link's proxy: setProxy marks the proxy type only when the old proxy names no drawing,
// then takes the whole reference of the new one.
#include <gtest/gtest.h>

#include "Environment/Host.h"
#include "project/ElementLink.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/ViewKinds.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using testsupport::ModuleUnderTest;

TEST(ElementLink, SetProxyMarksTheProxyTypeOnlyWhenTheOldProxyNamesNoDrawing) {
    ModuleUnderTest module;
    module.host().project()->model.views.add(DatabaseWorksheet, u"Sheet");
    Plan* plan = Host::getPlan();
    ASSERT_NE(plan, nullptr);
    ASSERT_EQ(Host::getProject()->getWorksheetCount(), 1u);
    Drawing* sheet = Host::getProject()->getWorksheet(0);
    ASSERT_NE(sheet, nullptr);
    enum class Old { None, Gone, Plan };
    struct Case {
        const char* what;
        Old old;
        uint16_t typeBefore;
        uint16_t typeAfter;
    };
    const Case cases[] = {
        {"no proxy yet", Old::None, ElementLink::makeTypeId(15, 3),
         ElementLink::makeTypeId(ProxyTypeCode, 3)},
        {"a proxy whose drawing is gone", Old::Gone, ElementLink::makeTypeId(1),
         ElementLink::makeTypeId(ProxyTypeCode)},
        {"a proxy on a drawing", Old::Plan, ElementLink::makeTypeId(15, 3), ElementLink::makeTypeId(15, 3)},
    };
    for (const Case& c : cases) {
        ElementLink link(ElementLink::makeTypeId(1), plan);
        link.setProxyTypeId(c.typeBefore);
        if (c.old == Old::Gone) link.getProxy() = DatabaseRef(DatabaseSection, Guid(0x77, 0x77), 2);
        if (c.old == Old::Plan) link.setProxyDrawing(plan);
        link.setProxy(sheet);
        EXPECT_EQ(link.getProxyTypeId(), c.typeAfter) << c.what;
        EXPECT_EQ(link.getProxyDrawing(), sheet) << c.what;
        EXPECT_EQ(link.getProxy(), sheet->getDatabaseRef()) << c.what;
        EXPECT_EQ(link.getProxy().getStoreyIndex(), sheet->getDatabaseRef().getStoreyIndex()) << c.what;
        EXPECT_EQ(link.getTypeId(), ElementLink::makeTypeId(1)) << c.what; // the element's own type stays
    }

    // Null clears the proxy reference, storey index included.
    ElementLink link(ElementLink::makeTypeId(1), plan);
    link.getProxy() = DatabaseRef(DatabaseSection, Guid(0x77, 0x77), 2);
    link.setProxy(nullptr);
    EXPECT_EQ(link.getProxyTypeId(), ElementLink::makeTypeId(ProxyTypeCode));
    EXPECT_EQ(link.getProxyDrawing(), nullptr);
    EXPECT_EQ(link.getProxy().getKind(), 0u);
    EXPECT_EQ(link.getProxy().getStoreyIndex(), 0u);
}
