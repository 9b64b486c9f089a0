// The sections of a library part (its scripts, comment, parameter section, preview pictures and
// the rest), each an owned host handle under its four-character code, in the order of the codes as
// numbers. ComponentResourceMemo reads them from the host on first use.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "Environment/MemoryBlock.h"
#include "Environment/String.h"
#include "platform/api/HostTypes.h"
#include "platform/api/LibraryRecords.h"

namespace tarnwick {

namespace section {
inline constexpr uint32_t Comment = fourCC("CTXT");
inline constexpr uint32_t MasterScript = fourCC("1DSC");
inline constexpr uint32_t Script2D = fourCC("2DSC");
inline constexpr uint32_t Script3D = fourCC("3DSC");
inline constexpr uint32_t ParameterScript = fourCC("VLSC");
inline constexpr uint32_t InterfaceScript = fourCC("UISC");
inline constexpr uint32_t Parameters = fourCC("PARD");
inline constexpr uint32_t Preview = fourCC("GIFF");
inline constexpr uint32_t Picture = fourCC("PICT");
// The sections that hold text: "CTXT", "1DSC", "2DSC", "3DSC", "BMSC", "CPYR", "FMSC", "PRSC",
// "UISC" and "VLSC".
bool isText(uint32_t code);
} // namespace section

class PartSectionList {
public:
    PartSectionList() = default;
    // Copies every handle; throws std::bad_alloc.
    PartSectionList(const PartSectionList& other);
    PartSectionList& operator=(const PartSectionList& other);
    ~PartSectionList();

    size_t size() const { return m_entries.size(); }
    bool contains(uint32_t code) const;
    // The entry's handle, still the list's; null for no entry or an entry without one.
    GSHandle find(uint32_t code) const;
    // The code and handle at a position; std::out_of_range past the end.
    std::pair<uint32_t, GSHandle> at(size_t position) const;
    // Takes the handle, freeing the one held; the entry is made when missing. A null handle leaves
    // an entry without one.
    void set(uint32_t code, GSHandle handle);
    void remove(uint32_t code);
    void clear();

private:
    std::vector<std::pair<uint32_t, GSHandle>>::const_iterator lowerBound(uint32_t code) const;

    std::vector<std::pair<uint32_t, GSHandle>> m_entries; // sorted by code
};

// The sections of one part as a part of its source. The source names the part; the sections are
// read from the host before the first access: each one the host lists, a missing one as an entry
// without a handle, up to the first other failure.
class ComponentResourceMemo {
public:
    ComponentResourceMemo() = default;
    ComponentResourceMemo(const ComponentResourceMemo&) = default;
    ComponentResourceMemo& operator=(const ComponentResourceMemo&) = default;
    virtual ~ComponentResourceMemo() = default;

    // The part's library index (0: none, nothing is read), its sizes and its record.
    virtual uint32_t getPartIndex() const = 0;
    virtual size_t getSectionCount();
    virtual double getPartA() = 0;
    virtual double getPartB() = 0;
    virtual const HostLibPart& getPartRecord() const = 0;

    // A new handle the caller owns: a copy of the section, for "PARD" one built from the current
    // parameters (a copy of the stored one when that fails); empty for none.
    MemoryBlock getSection(uint32_t code);
    // The same by position, with the code; std::out_of_range past the end.
    MemoryBlock getSectionAt(size_t position, uint32_t& code);
    // Takes the handle: for "PARD" it becomes the parameters (false when it cannot be read) and the
    // entry keeps no handle; for another code a null handle removes the entry.
    bool setSection(uint32_t code, GSHandle handle);
    void removeSection(uint32_t code);

    // The section's bytes as text, up to a NUL or the handle's end; empty without the section.
    String getSectionText(uint32_t code);
    // Stored with a NUL.
    void setSectionText(uint32_t code, const String& text);

protected:
    PartSectionList& sections();
    // Hooks of the source: the parameters from a "PARD" handle (which stays the caller's), a new
    // "PARD" handle of the parameters (none, and the host's answer, on failure), and a section set
    // or removed.
    virtual bool takeParameterSection(GSHandle handle) = 0;
    virtual GSErrCode buildParameterSection(GSHandle& section) = 0;
    virtual void sectionChanged(uint32_t) {}

private:
    void load();

    PartSectionList m_sections;
    bool m_loaded = false;
};

} // namespace tarnwick
