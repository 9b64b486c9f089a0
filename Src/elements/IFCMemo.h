// The IFC data the host keeps for an element, as a part of the element classes that carry it:
// read from the host when first needed and written back one item at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/IFCDataList.h"

namespace tarnwick {

class IFCMemo {
public:
    IFCMemo() = default;
    // A loaded source gives a loaded copy of clones; an unloaded one an unloaded copy.
    IFCMemo(const IFCMemo& other);
    IFCMemo& operator=(const IFCMemo& other);
    virtual ~IFCMemo() = default;

    virtual IFCProperty* findProperty(const String& name, const String& group);
    virtual IFCAttribute* findAttribute(const String& name);
    virtual IFCClassificationReference* findClassificationReference(const String& name);
    // True when the host stored it: the list then owns it. Otherwise the caller keeps it.
    virtual bool addProperty(IFCProperty* property);
    virtual bool addAttribute(IFCAttribute* attribute);
    virtual void removeProperty(const String& name, const String& group);
    virtual void removePropertyGroup(const String& group);

    // The text of the "GlobalId" attribute; empty without one.
    String getGlobalId(String& id);
    // Null before the list is loaded.
    const IFCDataList::NameIndex* getPropertyGroups();
    const IFCDataList::NameIndex* getAttributeNames();
    const IFCDataList::NameIndex* getClassificationReferenceNames();

    uint8_t getMode() const { return m_mode; }
    // Mode 0 reads only what is stored; leaving it drops the list so the next use reads afresh.
    void setMode(uint8_t mode);
    // Loads both memos and this one; nothing is copied.
    virtual void mergeChanges(const IFCMemo& changed, const IFCMemo& reference);

private:
    void load() const;
    // The owning element's Guid; false when the memo belongs to none or it has none.
    bool elementGuid(API_Guid& guid) const;

    mutable std::unique_ptr<IFCDataList> m_list;
    uint8_t m_mode = 0;
};

} // namespace tarnwick
