// The IFC items of one element in the host's order, with name indexes made when first asked for
// and kept in step by the add and remove operations.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "Environment/Containers.h"
#include "elements/IFCData.h"
#include "elements/IFCProperty.h"

namespace tarnwick {

class IFCDataList : public List<IFCData> {
public:
    // Group name to the names listed under it; attributes and references list under "".
    using NameIndex = std::map<String, std::vector<String>>;

    IFCDataList() = default;
    ~IFCDataList() override = default;

    // An empty group matches any group.
    virtual IFCProperty* findProperty(const String& name, const String& group) const;
    virtual IFCAttribute* findAttribute(const String& name) const;
    virtual IFCClassificationReference* findClassificationReference(const String& name) const;
    // Takes ownership and replaces a held item of the same name (and group); an item already held
    // stays as it is.
    virtual void addProperty(IFCProperty* property);
    virtual void addAttribute(IFCAttribute* attribute);
    // Deletes the first held item with the key's name (and group); the key may be that item.
    virtual void removeProperty(const IFCProperty* key);
    virtual void removeAttribute(const IFCAttribute* key);

    const NameIndex& getPropertyGroups();
    const NameIndex& getAttributeNames();
    const NameIndex& getClassificationReferenceNames();

    // Appends what each record makes, duplicates included; false when a record made nothing.
    bool addProperties(const GS::Array<API_IFCProperty>& records);
    bool addAttributes(const GS::Array<API_IFCAttribute>& records);
    bool addClassificationReferences(const GS::Array<API_IFCClassificationReference>& records);

private:
    static void unlist(NameIndex* index, const String& key, const String& name);

    std::unique_ptr<NameIndex> m_groups;
    std::unique_ptr<NameIndex> m_attributes;
    std::unique_ptr<NameIndex> m_references;
};

} // namespace tarnwick
