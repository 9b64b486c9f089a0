#include "elements/IFCDataList.h"

#include <algorithm>

namespace tarnwick {

IFCProperty* IFCDataList::findProperty(const String& name, const String& group) const {
    for (IFCData* item : *this) {
        auto* property = dynamic_cast<IFCProperty*>(item);
        if (property && property->getName() == name && (group.isEmpty() || property->getGroupName() == group))
            return property;
    }
    return nullptr;
}

IFCAttribute* IFCDataList::findAttribute(const String& name) const {
    for (IFCData* item : *this) {
        auto* attribute = dynamic_cast<IFCAttribute*>(item);
        if (attribute && attribute->getName() == name) return attribute;
    }
    return nullptr;
}

IFCClassificationReference* IFCDataList::findClassificationReference(const String& name) const {
    for (IFCData* item : *this) {
        auto* reference = dynamic_cast<IFCClassificationReference*>(item);
        if (reference && reference->getName() == name) return reference;
    }
    return nullptr;
}

void IFCDataList::addProperty(IFCProperty* property) {
    if (!property || contains(property)) return;
    removeProperty(property);
    push_back(std::unique_ptr<IFCData>(property));
    if (m_groups) (*m_groups)[property->getGroupName()].push_back(property->getName());
}

void IFCDataList::addAttribute(IFCAttribute* attribute) {
    if (!attribute || contains(attribute)) return;
    removeAttribute(attribute);
    push_back(std::unique_ptr<IFCData>(attribute));
    if (m_attributes) (*m_attributes)[String()].push_back(attribute->getName());
}

void IFCDataList::unlist(NameIndex* index, const String& key, const String& name) {
    if (!index) return;
    auto group = index->find(key);
    if (group == index->end()) return;
    auto& names = group->second;
    auto it = std::find(names.begin(), names.end(), name);
    if (it != names.end()) names.erase(it);
    if (names.empty()) index->erase(group);
}

void IFCDataList::removeProperty(const IFCProperty* key) {
    if (!key) return;
    String name = key->getName(), group = key->getGroupName();
    unlist(m_groups.get(), group, name);
    for (IFCData* item : *this) {
        auto* property = dynamic_cast<IFCProperty*>(item);
        if (property && property->getName() == name && property->getGroupName() == group) {
            remove(item).reset();
            return;
        }
    }
}

void IFCDataList::removeAttribute(const IFCAttribute* key) {
    if (!key) return;
    String name = key->getName();
    unlist(m_attributes.get(), String(), name);
    if (IFCAttribute* held = findAttribute(name)) remove(held).reset();
}

const IFCDataList::NameIndex& IFCDataList::getPropertyGroups() {
    if (!m_groups) {
        m_groups = std::make_unique<NameIndex>();
        for (IFCData* item : *this)
            if (auto* property = dynamic_cast<IFCProperty*>(item))
                (*m_groups)[property->getGroupName()].push_back(property->getName());
    }
    return *m_groups;
}

const IFCDataList::NameIndex& IFCDataList::getAttributeNames() {
    if (!m_attributes) {
        m_attributes = std::make_unique<NameIndex>();
        for (IFCData* item : *this)
            if (dynamic_cast<IFCAttribute*>(item)) (*m_attributes)[String()].push_back(item->getName());
    }
    return *m_attributes;
}

const IFCDataList::NameIndex& IFCDataList::getClassificationReferenceNames() {
    if (!m_references) {
        m_references = std::make_unique<NameIndex>();
        for (IFCData* item : *this)
            if (dynamic_cast<IFCClassificationReference*>(item))
                (*m_references)[String()].push_back(item->getName());
    }
    return *m_references;
}

bool IFCDataList::addProperties(const GS::Array<API_IFCProperty>& records) {
    bool all = true;
    for (const API_IFCProperty& record : records) {
        auto made = IFCProperty::create(record);
        if (made)
            push_back(std::move(made));
        else
            all = false;
    }
    return all;
}

bool IFCDataList::addAttributes(const GS::Array<API_IFCAttribute>& records) {
    bool all = true;
    for (const API_IFCAttribute& record : records) {
        auto made = IFCAttribute::create(record);
        if (made)
            push_back(std::move(made));
        else
            all = false;
    }
    return all;
}

bool IFCDataList::addClassificationReferences(const GS::Array<API_IFCClassificationReference>& records) {
    for (const API_IFCClassificationReference& record : records)
        push_back(IFCClassificationReference::create(record));
    return true;
}

} // namespace tarnwick
