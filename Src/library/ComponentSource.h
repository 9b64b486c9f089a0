// The system's handle on one library part: a private copy of the host's library-part record,
// which owns its copy of the part's file location, and the link that says where the part lives.
// MacroSource and PictureSource are the kinds that add nothing; the parametric kinds add
// parameters and script sections.
#pragma once

#include <cstdint>
#include <memory>

#include "library/ComponentLink.h"
#include "library/FamilyGuid.h"
#include "platform/api/LibraryRecords.h"

namespace tarnwick {

class DataFile;
class File;

class ComponentSource {
public:
    // The record is copied, its location only when it names a place.
    ComponentSource(const HostLibPart& record, const ComponentLink& link);
    // A record of the link's type and index, marked missing.
    explicit ComponentSource(const ComponentLink& link);
    ComponentSource(const ComponentSource& other);
    ComponentSource& operator=(const ComponentSource&) = delete;
    virtual ~ComponentSource();

    virtual std::unique_ptr<ComponentSource> clone() const = 0;
    virtual uint32_t getIndex() const { return m_link.getIndex(); }
    virtual FamilyGuid getOwnUnId() const;
    virtual FamilyGuid getParentUnId() const;
    virtual const HostLibPart& getRecord() const { return m_record; }

    const ComponentLink& getLink() const { return m_link; }
    uint32_t getType() const { return m_record.typeCode; }
    String getName() const;
    String getFileName() const;
    // The name up to its last "."; the whole name when it has none.
    String getBaseName() const;
    uint8_t getFlag1() const { return m_record.flag1; }
    uint8_t getFlag2() const { return m_record.flag2; }
    uint16_t getVersion() const { return m_record.version; }
    bool isSubtypeOf(const FamilyGuid& family) const;
    FamilyGuid::Order compareWith(const FamilyGuid& other) const;
    // Not missing, and linked to a part of a library.
    bool isLoaded() const;
    // The part's file (library-part kind), or null without a location.
    std::unique_ptr<DataFile> makeDataFile() const;

    // The link, and its index into the record.
    void setLink(const ComponentLink& link);
    // Each keeps at most 127 bytes of whole characters, NUL-terminated.
    void setOwnUnId(const String& id);
    void setParentUnId(const String& id);
    void setVersion(uint16_t version) { m_record.version = version; }
    void setFlag1(uint8_t flag) { m_record.flag1 = flag; }
    void setFlag2(uint8_t flag) { m_record.flag2 = flag; }
    // The file's location (none when empty) and its name, with extension, as both names.
    void setFile(const File& file);
    void clearLink();

protected:
    HostLibPart& record() { return m_record; }

private:
    HostLibPart m_record;
    ComponentLink m_link;
};

class MacroSource : public ComponentSource {
public:
    using ComponentSource::ComponentSource;
    std::unique_ptr<ComponentSource> clone() const override { return std::make_unique<MacroSource>(*this); }
};

class PictureSource : public ComponentSource {
public:
    using ComponentSource::ComponentSource;
    std::unique_ptr<ComponentSource> clone() const override { return std::make_unique<PictureSource>(*this); }
};

// Record helpers shared by the library and its sources.
namespace libpart {
// A zeroed record of that type and index.
HostLibPart blank(uint32_t type = 0, uint32_t index = 0);
// The record's location deleted and nulled.
void dropLocation(HostLibPart& record);
// A new copy of a location for a record of its own; null for none or an empty one.
IO::Location* copyLocation(const IO::Location* location);
String documentName(const HostLibPart& record);
// At most 255 UTF-16 units and a NUL.
void setDocumentName(HostLibPart& record, const String& name);
void setFileName(HostLibPart& record, const String& name);
// At most 127 bytes and a NUL.
void setUnId(char (&field)[HostUnIdBytes], const String& id);
String unIdOf(const char (&field)[HostUnIdBytes]);
} // namespace libpart

} // namespace tarnwick
