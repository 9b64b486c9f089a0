#include "DGTypes.h"

#include <cstring>

namespace DG {

namespace {
const struct {
    ItemType type;
    const char* name;
} itemTypeNames[] = {
    {ItemType::Button, "button"},          {ItemType::LeftText, "left-text"},
    {ItemType::CenterText, "centre-text"}, {ItemType::RightText, "right-text"},
    {ItemType::TextEdit, "edit-text"},     {ItemType::CheckBox, "check-box"},
    {ItemType::ListBox, "list-box"},       {ItemType::TreeView, "tree-view"},
    {ItemType::PopUp, "pop-up"},           {ItemType::UserControl, "user-control"},
    {ItemType::UserItem, "user-item"},
};
} // namespace

const char* ItemTypeName(ItemType type) {
    for (const auto& each : itemTypeNames)
        if (each.type == type) return each.name;
    return "item";
}

std::string ItemTypeWithArticle(ItemType type) {
    std::string name = ItemTypeName(type);
    // "a user-control": its "u" sounds as "you".
    bool vowel = name.find_first_of("aeio") == 0;
    return (vowel ? "an " : "a ") + name;
}

bool ItemTypeNamed(const char* name, ItemType* type) {
    for (const auto& each : itemTypeNames) {
        if (std::strcmp(each.name, name) != 0) continue;
        *type = each.type;
        return true;
    }
    return false;
}

} // namespace DG
