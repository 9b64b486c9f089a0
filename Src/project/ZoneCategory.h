// A zone category attribute: its code, colour and the name of the library part that stamps its
// zones. The stamp's library part link and its parameters join this class with the library
// subsystem; until then the stamp is known by name only.
#pragma once

#include "project/RecordAttribute.h"

namespace tarnwick {

class ZoneCategory : public RecordAttribute<ZoneCategory, HostZoneCategory, AttrZoneCategory> {
public:
    ZoneCategory() = default; // an empty record of the kind, unbound
    explicit ZoneCategory(const AttributeLink& link) : RecordAttribute(link) {}
    // The category of that index in the current project.
    explicit ZoneCategory(uint32_t index) : RecordAttribute(AttributeLink(index, AttrZoneCategory)) {}
    // The category of that name in the current project; a name none has gives a new category
    // carrying it.
    explicit ZoneCategory(const String& name);
    ZoneCategory(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}

    String getCode() const;
    // As much of the code as the record's field holds.
    void setCode(const String& code);
    String getStampName() const;
    // As much of the name as the record's field holds; then the stamp is looked up again.
    void setStampName(const String& name);
    // 0x00RRGGBB with the rules of pens.
    uint32_t getRGB24() const;
    void setRGB24(uint32_t rgb);

private:
    friend class RecordAttribute<ZoneCategory, HostZoneCategory, AttrZoneCategory>;
    static void fillFallback(HostZoneCategory& record) { record.header.typeCode = AttrZoneCategory; }
    void recordLoaded() const {}
    // Where the stamp's library part and its default parameters are looked up by name.
    void resolveStamp() {}
};

} // namespace tarnwick
