// A zone category attribute: its code, colour and the library part that stamps its zones, with
// that part's parameters (a ZoneStamp, which the library subsystem supplies).
#pragma once

#include <memory>

#include "project/RecordAttribute.h"
#include "project/ZoneStamp.h"

namespace tarnwick {

class ZoneCategory : public RecordAttribute<ZoneCategory, HostZoneCategory, AttrZoneCategory> {
public:
    ZoneCategory() : m_stamp(makeZoneStamp(*this)) {} // an empty record of the kind, unbound
    explicit ZoneCategory(const AttributeLink& link) : RecordAttribute(link), m_stamp(makeZoneStamp(*this)) {}
    // The category of that index in the current project.
    explicit ZoneCategory(uint32_t index)
        : RecordAttribute(AttributeLink(index, AttrZoneCategory)), m_stamp(makeZoneStamp(*this)) {}
    // The category of that name in the current project; a name none has gives a new category
    // carrying it.
    explicit ZoneCategory(const String& name);
    // The factory's form: the stamp stays unresolved until its name is set.
    ZoneCategory(const API_Attribute& record, const AttributeLink& link)
        : RecordAttribute(record, link), m_stamp(makeZoneStamp(*this)) {}
    ZoneCategory(const ZoneCategory& other);
    ZoneCategory& operator=(const ZoneCategory& other);
    ~ZoneCategory() override;

    // The stamp's parameters as the category's memo; null without a stamp.
    AttributeMemoPtr makeMemo() const override;
    // Null without the library subsystem.
    ZoneStamp* getStamp() const { return m_stamp.get(); }

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
    // A record loaded from the project names the stamp.
    void recordLoaded() const { resolveStamp(); }
    void resolveStamp() const;

    std::unique_ptr<ZoneStamp> m_stamp;
};

} // namespace tarnwick
