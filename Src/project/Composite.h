// A composite structure attribute (type 5): skins separated by lines, as walls, slabs and roofs
// are built from. Its cores and edges live in the attribute's memo; it is also the Pattern an
// element may name, reporting its index negated so that it is told apart from a fill.
#pragma once

#include "project/ConstructionMemo.h"
#include "project/Pattern.h"
#include "project/RecordAttribute.h"

namespace tarnwick {

class Composite : public RecordAttribute<Composite, HostComposite, AttrComposite>,
                  public Pattern,
                  public ConstructionMemo {
public:
    using RecordAttribute::isLoaded; // of the record; the memo's is isMemoLoaded

    Composite() = default; // a zeroed record, unbound, no cores
    explicit Composite(const AttributeLink& link) : RecordAttribute(link) {}
    Composite(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}
    Composite(const Composite&) = default;
    Composite& operator=(const Composite&) = default;

    bool exists() const override { return Attribute::exists(); }
    // The host index negated (high half 0); the attribute database negates it back.
    uint32_t getIndex() const override;
    const AttributeLink& getLink() const override { return Attribute::getLink(); }
    String getName() const override { return Attribute::getName(); }

    // The cores and edges, loaded first; null (the record is then stored alone) when they cannot
    // be written.
    AttributeMemoPtr makeMemo() const override;
    // Reads the cores and edges from the attribute's definition in its database.
    void loadOwn(MemoStore*& store) override;
    bool isMemoLoaded() const { return ConstructionMemo::isLoaded(); }

private:
    friend class RecordAttribute<Composite, HostComposite, AttrComposite>;
    static void fillFallback(HostComposite& record) { record.header.typeCode = AttrComposite; }
};

} // namespace tarnwick
