// The base of doors, windows and skylights: a placed library part cut into a host element, with its
// IFC data. Its accessors work on the opening sub-record, which each kind finds in its own record
// copy.
#pragma once

#include "elements/IFCMemo.h"
#include "library/ComponentElem.h"
#include "platform/api/OpeningRecords.h"

namespace tarnwick {

class Opening : public ComponentElem, public IFCMemo {
public:
    Opening(const ElementLink& link, const ComponentLink& component);
    Opening(const Opening& other) = default;
    ~Opening() override = default;

    using ComponentElem::mergeChanges;
    using IFCMemo::mergeChanges;

    // --- Attributes of the sub-record. Pens: 0 and 1 the main pen, 10, 11 and 12; others empty.
    void getPen(Pen& pen, uint32_t which) const override;
    // 0 the main, kind-10 and kind-11 pens; 1 the main; 6 and 11 kind 11; 8 and 12 kind 12; 10.
    void setPen(const Pen& pen, uint32_t which) override;
    // Kinds 0 and 1 only.
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    void getFinish(Finish& finish, uint32_t which) const override;
    void setFinish(const Finish& finish, uint32_t which) override;
    // Kinds 0, 1 and 3: the fill; null for none and other kinds.
    std::unique_ptr<Pattern> getPattern(uint32_t kind) const override;
    // Kinds 0 and 3 take a fill of index at least 1; anything else is ignored.
    void setPattern(const Pattern& pattern, uint32_t kind) override;

    // An opening's placement follows its owner.
    void setReferencePoint(const CadPoint&) override {}
    void setElevation(double, bool) override {}

    // The third opening flag.
    bool isFlagB() const override { return getOpeningRecord().switchFlag != 0; }
    void setFlagB(bool on) override { editOpeningRecord().switchFlag = on ? 1 : 0; }
    // The part's index goes into the sub-record as well.
    void setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) override;

    // --- The opening's own.
    virtual ElementLink getOpeningLink() const { return ElementLink(); }
    virtual bool getOpeningFlag1() const { return getOpeningRecord().flag1 != 0; }
    virtual bool getOpeningFlag2() const { return getOpeningRecord().flag2 != 0; }
    virtual void setOpeningLink(const ElementLink&) {}
    virtual void setOpeningFlag1(bool on) { editOpeningRecord().flag1 = on ? 1 : 0; }
    virtual void setOpeningFlag2(bool on) { editOpeningRecord().flag2 = on ? 1 : 0; }
    virtual bool getOpeningFlag4() const { return getOpeningRecord().flag4 != 0; }
    virtual void setOpeningFlag4(bool on) { editOpeningRecord().flag4 = on ? 1 : 0; }
    virtual double getOpeningWidth() const { return getOpeningRecord().width; }
    virtual double getOpeningSize2() const { return getOpeningRecord().size2; }
    virtual double getBaseMeasure1() const { return getMeasureA(); }
    virtual double getOpeningMeasure1() const { return 0.0; }
    virtual double getOpeningMeasure2() const { return 0.0; }
    virtual void setOpeningWidth(double width) { editOpeningRecord().width = width; }
    virtual void setOpeningSize2(double size) { editOpeningRecord().size2 = size; }
    virtual const HostOpeningPart& getOpeningRecord() const = 0;
    virtual HostOpeningPart& editOpeningRecord() = 0;
};

} // namespace tarnwick
