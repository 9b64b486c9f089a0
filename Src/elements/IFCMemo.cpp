#include "elements/IFCMemo.h"

#include "Environment/HostCalls.h"
#include "elements/Element.h"

namespace tarnwick {

namespace {

std::unique_ptr<IFCDataList> clonesOf(const std::unique_ptr<IFCDataList>& source) {
    if (!source) return nullptr;
    auto copy = std::make_unique<IFCDataList>();
    for (const IFCData* item : *source)
        copy->push_back(item->clone());
    return copy;
}

} // namespace

IFCMemo::IFCMemo(const IFCMemo& other) : m_list(clonesOf(other.m_list)), m_mode(other.m_mode) {}

IFCMemo& IFCMemo::operator=(const IFCMemo& other) {
    if (this != &other) {
        m_list = clonesOf(other.m_list);
        m_mode = other.m_mode;
    }
    return *this;
}

bool IFCMemo::elementGuid(API_Guid& guid) const {
    const auto* element = dynamic_cast<const Element*>(this);
    if (!element) return false;
    Guid own = element->getGuid();
    if (!own.isValid()) return false;
    guid = own.toAPI();
    return true;
}

void IFCMemo::load() const {
    if (m_list) return;
    m_list = std::make_unique<IFCDataList>();
    API_Guid guid;
    if (!elementGuid(guid)) return;
    bool storedOnly = m_mode == 0;
    GS::Array<API_IFCProperty> properties;
    if (ACAPGetIFCProperties(&guid, storedOnly, &properties) == 0) m_list->addProperties(properties);
    GS::Array<API_IFCAttribute> attributes;
    if (ACAPGetIFCAttributes(&guid, storedOnly, &attributes) == 0) m_list->addAttributes(attributes);
    GS::Array<API_IFCClassificationReference> references;
    if (ACAPGetIFCClassificationReferences(&guid, storedOnly, &references) == 0)
        m_list->addClassificationReferences(references);
}

IFCProperty* IFCMemo::findProperty(const String& name, const String& group) {
    load();
    return m_list->findProperty(name, group);
}

IFCAttribute* IFCMemo::findAttribute(const String& name) {
    load();
    return m_list->findAttribute(name);
}

IFCClassificationReference* IFCMemo::findClassificationReference(const String& name) {
    load();
    return m_list->findClassificationReference(name);
}

bool IFCMemo::addProperty(IFCProperty* property) {
    load();
    API_Guid guid;
    if (!property || !elementGuid(guid)) return false;
    API_IFCProperty record;
    if (!property->toHost(record) || ACAPSetIFCProperty(&guid, &record) != 0) return false;
    m_list->addProperty(property);
    return true;
}

bool IFCMemo::addAttribute(IFCAttribute* attribute) {
    load();
    API_Guid guid;
    if (!attribute || !elementGuid(guid)) return false;
    API_IFCAttribute record;
    if (!attribute->toHost(record) || ACAPSetIFCAttribute(&guid, &record) != 0) return false;
    m_list->addAttribute(attribute);
    return true;
}

void IFCMemo::removeProperty(const String& name, const String& group) {
    load();
    IFCProperty* property = m_list->findProperty(name, group);
    API_Guid guid;
    if (!property || !elementGuid(guid)) return;
    API_IFCProperty record;
    if (!property->toHost(record)) return;
    m_list->removeProperty(property);
    ACAPRemoveIFCProperty(&guid, &record);
}

void IFCMemo::removePropertyGroup(const String& group) {
    load();
    const auto& groups = m_list->getPropertyGroups();
    auto it = groups.find(group);
    if (it == groups.end()) return;
    // Each removal changes the index it came from.
    std::vector<String> names = it->second;
    for (const String& name : names)
        removeProperty(name, group);
}

String IFCMemo::getGlobalId(String& id) {
    id = String();
    if (IFCAttribute* attribute = findAttribute(String("GlobalId")))
        if (const Setting* value = attribute->getValue()) id = value->asText();
    return id;
}

const IFCDataList::NameIndex* IFCMemo::getPropertyGroups() {
    load();
    return &m_list->getPropertyGroups();
}

const IFCDataList::NameIndex* IFCMemo::getAttributeNames() {
    load();
    return &m_list->getAttributeNames();
}

const IFCDataList::NameIndex* IFCMemo::getClassificationReferenceNames() {
    load();
    return &m_list->getClassificationReferenceNames();
}

void IFCMemo::setMode(uint8_t mode) {
    if (mode == m_mode) return;
    if (m_mode == 0) m_list.reset();
    m_mode = mode;
}

void IFCMemo::mergeChanges(const IFCMemo& changed, const IFCMemo& reference) {
    changed.load();
    if (changed.m_list->empty()) return;
    reference.load();
    if (reference.m_list->empty()) return;
    load();
}

} // namespace tarnwick
