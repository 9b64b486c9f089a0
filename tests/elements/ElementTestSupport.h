// Helpers of the element model's tests: an element class that holds a whole host record, a
// polygon memo and a raw memo part (the gables field), creators for the factory, and host-side
// set-up of elements.
#pragma once

#include "support/TestAddon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "Environment/Host.h"
#include "Environment/Transaction.h"
#include "elements/DrawingIterator.h"
#include "elements/Element.h"
#include "elements/ElementFactory.h"
#include "elements/PolygonMemo.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/StandInHost.h"
#include "project/Drawing.h"
#include "project/MemoStore.h"
#include "project/Pattern.h"
#include "project/Plan.h"

namespace elementtest {

using tarnwick::PolygonCounts;

// Where the test class keeps its polygon counts in its record: right after the head.
struct CountedRecord {
    HostElementHead head;
    PolygonCounts counts;
};

inline PolygonCounts countsOf(const API_Element& record) {
    PolygonCounts counts;
    std::memcpy(&counts, record.raw + offsetof(CountedRecord, counts), sizeof counts);
    return counts;
}
inline void setCounts(API_Element& record, const PolygonCounts& counts) {
    std::memcpy(record.raw + offsetof(CountedRecord, counts), &counts, sizeof counts);
}

// A memo part of raw bytes in the gables field (mask 2).
class BytesMemo : public tarnwick::Memo {
public:
    bool isValid() const override { return m_loaded; }
    void load(tarnwick::Element& owner, tarnwick::MemoStore*& store) override;
    bool readMemo(tarnwick::MemoStore& store) override {
        GSHandle handle = store.getGables();
        m_bytes = handle == nullptr ? std::string()
                                    : std::string(*handle, static_cast<size_t>(BMHandleSize(handle)));
        m_loaded = true;
        return true;
    }
    bool writeMemo(tarnwick::MemoStore& store) override {
        if (!m_loaded || m_bytes.empty()) return false;
        GSHandle* field = store.gablesAddress();
        BMKillHandle(field);
        *field = BMNewHandle(static_cast<GSSize>(m_bytes.size()));
        std::memcpy(**field, m_bytes.data(), m_bytes.size());
        return true;
    }
    const std::string& bytes() const { return m_bytes; }
    void setBytes(const std::string& bytes) {
        m_bytes = bytes;
        m_loaded = true;
    }

private:
    std::string m_bytes;
};

class TestElement : public tarnwick::Element, public tarnwick::PolygonMemo {
public:
    static inline int live = 0; // instances alive, so that a test sees every one deleted

    TestElement(const API_Element& record, const tarnwick::ElementLink& link, std::string tag = {})
        : Element(link), m_record(record), m_tag(std::move(tag)) {
        ++live;
    }
    explicit TestElement(const tarnwick::ElementLink& link) : Element(link) {
        link.writeHeader(m_record.head, true);
        m_record.head.layer = 1;
        ++live;
    }
    TestElement(const TestElement& other)
        : Element(other), PolygonMemo(other), m_record(other.m_record), m_tag(other.m_tag),
          m_raw(other.m_raw) {
        ++live;
    }
    TestElement& operator=(const TestElement&) = default;
    ~TestElement() override { --live; }
    // The element's, not the polygon memo's.
    using Element::getOwner;
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<tarnwick::Element> clone() const override { return std::make_unique<TestElement>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override {
        auto record = std::make_unique<API_Element>(m_record);
        // The counts the memo will be written with, as an element class takes them into its record.
        // Counts of a polygon that never loaded stay as the host gave them.
        auto* self = const_cast<TestElement*>(this);
        PolygonCounts counts;
        self->getPolygonCounts(counts);
        if (self->PolygonMemo::isLoaded()) setCounts(*record, counts);
        return record;
    }
    tarnwick::ElementMemoPtr buildMemo(uint64_t& mask) override {
        mask = 0;
        tarnwick::ElementMemoStore store;
        if (writeMemo(store)) mask |= MemoPolygon;
        if (m_raw.ensureLoaded(*this) && m_raw.writeMemo(store)) mask |= MemoGables;
        ++built;
        if (mask == 0) return nullptr;
        return tarnwick::ElementMemoPtr(store.release());
    }
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }
    // The parts the mask names (and, unless suspended, every part not loaded yet), fetched once.
    void loadMemo(uint64_t mask, tarnwick::MemoStore*& store) override {
        Element::loadMemo(mask, store);
        if (!isMemoLoadSuspended()) {
            if (!PolygonMemo::isLoaded()) mask |= MemoPolygon;
            if (!m_raw.isLoaded()) mask |= MemoGables;
        }
        mask &= MemoPolygon | MemoGables;
        if (mask == 0 || !fetchMemo(mask, store)) return; // the parts stay unloaded
        if ((mask & MemoPolygon) != 0) readMemo(*store);
        if ((mask & MemoGables) != 0) m_raw.readMemo(*store);
    }

    tarnwick::Element* getOwner() const override { return const_cast<TestElement*>(this); }
    PolygonCounts getPolygonHeader() const override { return countsOf(m_record); }
    void load(tarnwick::Element& owner, tarnwick::MemoStore*& store) override {
        owner.loadMemo(MemoPolygon, store);
    }

    void getOverrideSet(tarnwick::OverrideSet& set) const override { set = overrides; }
    void setOverrideSet(const tarnwick::OverrideSet& set) override { overrides = set; }

    const std::string& tag() const { return m_tag; }
    tarnwick::OverrideSet overrides{4, 5, 1};
    API_Element& record() { return m_record; }
    BytesMemo& raw() { return m_raw; }
    int built = 0; // memos built

private:
    API_Element m_record;
    std::string m_tag;
    BytesMemo m_raw;
};

inline void BytesMemo::load(tarnwick::Element& owner, tarnwick::MemoStore*& store) {
    owner.loadMemo(MemoGables, store);
}

// A test element for any record.
inline std::unique_ptr<tarnwick::Element> createAny(const API_Element& record, tarnwick::ElementLink& link) {
    return std::make_unique<TestElement>(record, link, "any");
}

// Registers createAny for the types and drops every creator again at the end.
class Creators {
public:
    explicit Creators(std::initializer_list<uint16_t> types) {
        for (uint16_t type : types)
            tarnwick::registerElementCreator(type, &createAny, false);
    }
    ~Creators() { tarnwick::releaseElementCreators(); }
    Creators(const Creators&) = delete;
    Creators& operator=(const Creators&) = delete;
};

// A test with the module attached to a fresh host project.
class HostTest : public ::testing::Test {
protected:
    testsupport::ModuleUnderTest module;
    zavhost::StandInHost& host = module.host();
    size_t mark() const { return host.calls().size(); }
};

// Runs the body as one undoable step of the host, as the product does.
inline bool change(const std::function<bool()>& body) {
    return testsupport::runAsStep(body);
}

// Adds an element straight into a host database (the floor plan when none is named) and answers
// its Guid.
inline API_Guid addHostElement(zavhost::StandInHost& host, uint32_t type,
                               zavhost::ViewDatabase* database = nullptr,
                               const std::function<void(zavhost::StoredElement&)>& fill = nullptr) {
    zavhost::Project& project = *host.project();
    zavhost::ViewDatabase& into = database != nullptr ? *database : project.model.views.plan();
    zavhost::StoredElement element;
    element.record.head.typeCode = type;
    element.record.head.guid = zavhost::newGuid();
    element.record.head.layer = 1;
    element.record.head.storey = 0;
    if (fill) fill(element);
    API_Guid guid = element.record.head.guid;
    project.model.views.elementsOf(into).add(std::move(element));
    return guid;
}

// Adds a proxy into a view that shows the model element of the Guid (a wall unless told).
inline API_Guid addHostProxy(zavhost::StandInHost& host, zavhost::ViewDatabase* view, const API_Guid& shown,
                             uint32_t shownType = 1) {
    return addHostElement(host, 29, view, [&](zavhost::StoredElement& e) {
        HostProxyElement record;
        std::memcpy(static_cast<void*>(&record), e.record.raw, sizeof record);
        record.showsElement = 1;
        record.elementGuid = shown;
        record.elementType = shownType;
        std::memcpy(e.record.raw, &record, sizeof record);
    });
}

inline void setHostUserData(zavhost::StandInHost& host, const API_Guid& guid, const std::string& bytes,
                            uint16_t sign = 0x5757) {
    zavhost::StoredUserData data;
    data.version = 1;
    data.platformSign = sign;
    data.flags = 12;
    data.bytes = bytes;
    host.project()->model.views.editElement(guid)->userData = data;
}

// A closed polygon's host parts: each contour stored with its first point repeated at its end.
inline void setHostPolygon(zavhost::StoredElement& element,
                           const std::vector<std::vector<HostCoord2D>>& contours) {
    std::string coordinates(sizeof(HostCoord2D), '\0');
    std::vector<uint32_t> ends{0};
    uint32_t index = 0;
    for (const auto& contour : contours) {
        for (size_t i = 0; i <= contour.size(); ++i) {
            const HostCoord2D& point = contour[i % contour.size()];
            coordinates.append(reinterpret_cast<const char*>(&point), sizeof point);
            ++index;
        }
        ends.push_back(index);
    }
    element.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes = coordinates;
    element.memo.blocks[offsetof(API_ElementMemo, subPolygonEnds)].bytes =
        std::string(reinterpret_cast<const char*>(ends.data()), ends.size() * sizeof(uint32_t));
    setCounts(element.record, PolygonCounts{index, static_cast<uint32_t>(contours.size()), 0});
}

// A kind a pattern is given for, and whether the element takes it there.
struct PatternKind {
    uint32_t kind;
    bool takes;
};

// Gives the pattern, kind by kind and through the element base's operation, to a fresh copy of
// the element: a kind that takes it must make `took` true (which the element itself is not); any
// other kind must leave the record the copy builds byte for byte as the element's.
template <class E>
void expectPatternKinds(const E& element, const tarnwick::Pattern& pattern,
                        std::initializer_list<PatternKind> kinds, const std::function<bool(const E&)>& took,
                        const std::string& what) {
    ASSERT_FALSE(took(element)) << what << ": the element holds the pattern already";
    const std::unique_ptr<API_Element> before = element.buildRecord();
    for (const PatternKind& row : kinds) {
        E copy(element);
        static_cast<tarnwick::Element&>(copy).setPattern(pattern, row.kind);
        if (row.takes) {
            EXPECT_TRUE(took(copy)) << what << ": kind " << row.kind << " does not take it";
            continue;
        }
        const std::unique_ptr<API_Element> after = copy.buildRecord();
        EXPECT_EQ(std::memcmp(after->raw, before->raw, sizeof before->raw), 0)
            << what << ": kind " << row.kind << " changed the record";
    }
}

inline std::string bytesOf(const tarnwick::MemoryBlock& block) {
    return block.isEmpty() ? std::string()
                           : std::string(block.getData(), static_cast<size_t>(block.getSize()));
}

inline tarnwick::MemoryBlock blockOf(const std::string& bytes) {
    GSHandle handle = BMNewHandle(static_cast<GSSize>(bytes.size()));
    if (!bytes.empty()) std::memcpy(*handle, bytes.data(), bytes.size());
    return tarnwick::MemoryBlock(handle);
}

} // namespace elementtest
