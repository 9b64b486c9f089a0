// The IFC items of an element: found by name (and group), replaced and removed with the name
// indexes kept in step, and made from host arrays whose unusable records are left out.
#include <gtest/gtest.h>

#include "elements/IFCDataList.h"
#include "persistence/StringSetting.h"

using namespace tarnwick;

namespace {

IFCSingleValue* label(const char* name, const char* group, const char* text = "") {
    StringSetting value{String(text)};
    return new IFCSingleValue(&value, String(name), String(group), String("IfcLabel"), String());
}

std::vector<String> names(const IFCDataList::NameIndex& index, const char* key) {
    auto it = index.find(String(key));
    return it == index.end() ? std::vector<String>{} : it->second;
}

TEST(IFCDataList, FindsReplacesAndRemovesInStepWithItsIndexes) {
    IFCDataList list;
    list.addProperty(label("Width", "Pset_A", "a"));
    list.addProperty(label("Width", "Pset_B", "b"));
    list.addProperty(label("Depth", "Pset_B"));
    list.addAttribute(new IFCAttribute(nullptr, String("GlobalId"), String("IfcGloballyUniqueId")));

    EXPECT_EQ(list.findProperty(String("Width"), String())->getGroupName(), "Pset_A");
    EXPECT_EQ(list.findProperty(String("Width"), String("Pset_B"))->getGroupName(), "Pset_B");
    EXPECT_EQ(list.findProperty(String("Width"), String("Pset_C")), nullptr);
    EXPECT_EQ(names(list.getPropertyGroups(), "Pset_B"),
              (std::vector<String>{String("Width"), String("Depth")}));
    EXPECT_EQ(names(list.getAttributeNames(), ""), std::vector<String>{String("GlobalId")});

    list.addProperty(label("Width", "Pset_B", "c"));
    IFCProperty* held = list.findProperty(String("Width"), String("Pset_B"));
    list.addProperty(held);
    EXPECT_EQ(list.size(), 4u);
    EXPECT_EQ(static_cast<IFCSingleValue*>(held)->getValue()->asText(), "c");
    EXPECT_EQ(names(list.getPropertyGroups(), "Pset_B"),
              (std::vector<String>{String("Depth"), String("Width")}));

    list.removeProperty(list.findProperty(String("Width"), String("Pset_A")));
    EXPECT_EQ(list.getPropertyGroups().count(String("Pset_A")), 0u);
    EXPECT_EQ(list.size(), 3u);
}

TEST(IFCDataList, HostArraysLeaveOutWhatMakesNothing) {
    GS::Array<API_IFCAttribute> attributes;
    API_IFCAttribute good;
    good.attributeName = String("Name").toUniString();
    good.attributeType = String("IfcLabel").toUniString();
    attributes.Push(good);
    attributes.Push(API_IFCAttribute());
    GS::Array<API_IFCProperty> none;
    IFCDataList list;
    EXPECT_FALSE(list.addAttributes(attributes));
    EXPECT_TRUE(list.addProperties(none));
    EXPECT_TRUE(list.addClassificationReferences(GS::Array<API_IFCClassificationReference>()));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_NE(list.findAttribute(String("Name")), nullptr);
}

} // namespace
