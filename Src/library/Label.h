// A host label (type 16): a note with a leader that points at an element or a place. A text label
// ("TEXT") keeps its text in the text memo; a symbol label ("SYMB") is drawn by a library part
// whose parameters it carries, with A and B kept in the record, as sizes or as ratios of the
// part's own. The label holds the first 552 bytes of its host record.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/ArrowStyle.h"
#include "elements/text/TextMemo.h"
#include "elements/text/TextStyle.h"
#include "library/ComponentElem.h"
#include "platform/api/LabelRecords.h"

namespace tarnwick {

class Label : public ComponentElem, public TextMemo {
public:
    static constexpr uint8_t TypeCode = 16;
    // The link kind of label parts.
    static constexpr uint32_t LabelPartType = 9;

    // A new text label of the host's default settings with the text (restyle: in the default
    // label's styles).
    Label(const StyledString& text, bool restyle);
    // A new symbol label of the part.
    explicit Label(const ComponentLink& part);
    // A new label as the host's default label is, with its memo when asked; a label part cleared
    // when the host has no defaults.
    explicit Label(bool withMemo);
    // An existing label; its memo parts are read on first use.
    Label(const API_Element& record, const ElementLink& link);
    Label(const Label& other) = default;
    Label& operator=(const Label&) = delete;
    ~Label() override = default;

    using ComponentElem::getOwner;
    using ComponentElem::isValid;
    using ComponentElem::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Label>(*this); }
    // Roles 0 and 1 the leader's pen, 8 the second pen, 16 a text label's text pen, 17 the arrow's;
    // pen 0 for any other role (and 16 of a symbol label).
    void getPen(Pen& pen, uint32_t which) const override;
    void getLineStyle(LineStyle& style, uint32_t which) const override;
    std::unique_ptr<ArrowStyle> getArrowStyle(uint32_t which) const override;
    void setPen(const Pen& pen, uint32_t which) override;
    void setLineStyle(const LineStyle& style, uint32_t which) override;
    // Kind, pen and size; the arrow record's own bytes stay.
    void setArrowStyle(const ArrowStyle& style, uint32_t which) override;
    // The first leader point.
    void getReferencePoint(CadPoint& point) const override;
    void setReferencePoint(const CadPoint& point) override;
    std::unique_ptr<API_Element> buildRecord() const override;
    // The text part (unless loaded and valid), and for a symbol label the parameters; a label has no
    // gables. A new text label reads the default label's text.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // A symbol label's parameters (mask 4) and the text (0x180); a text label's text only, or null.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }
    double getAngle() const override;
    // Only a link of a label part (or kind 0) makes the label a symbol label of its part.
    void setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) override;

    // A symbol label's A and B: the record's sizes, or its ratios times the part's own. 0 for a text
    // label.
    double getParameterA() const override;
    double getParameterB() const override;
    // A symbol label only. Without fixed sizes the ratio to the part's own goes into the record,
    // which keeps its value when the part's own is not known (below 1e-5).
    void setA(double value) override;
    void setB(double value) override;

    uint32_t getLabelKind() const { return m_record.kind; }
    bool isTextLabel() const { return m_record.kind == LabelKindText; }
    bool isSymbolLabel() const { return m_record.kind == LabelKindSymbol; }
    bool getSymbolFlag() const { return isSymbolLabel() && m_record.symbolFlags.flag != 0; }
    bool getSecondFlag() const { return false; }
    void setLabelKind(uint32_t kind) { m_record.kind = kind; }
    void setSymbolFlag(bool on);
    void setSecondFlag(bool) {}
    // Roles 0 and 1: a symbol label's text style (its anchor stored in thirds) or a text label's.
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    CadPoint getMidPoint() const { return pointOf(m_record.leader[1]); }
    CadPoint getEndPoint() const { return pointOf(m_record.leader[2]); }
    CadPoint getLabelPoint() const { return pointOf(m_record.labelPoint); }
    // Text labels only.
    void setTextWidth(double width);
    void setTextHeight(double height);
    // Symbol labels only, reduced into [0, 2π).
    void setAngle(double angle);
    void setMidPoint(const CadPoint& point) { m_record.leader[1] = point.getCoord2D(); }
    void setEndPoint(const CadPoint& point) { m_record.leader[2] = point.getCoord2D(); }
    void setLabelPoint(const CadPoint& point) { m_record.labelPoint = point.getCoord2D(); }
    // The host's default label record with this label's kind, the text and symbol text fields
    // brought in line; a symbol label then takes its part's index, fixed-size flag and sizes.
    void applyDefaults();
    // False when the host could not hand out its default label: the record is then blank, not
    // fit to be placed.
    bool hasDefaults() const { return m_hasDefaults; }
    const HostLabelElement& getLabelRecord() const { return m_record; }

protected:
    Element* getTextOwner() override { return this; }
    uint32_t partIndexOf(const API_Element& record) const override;

private:
    static CadPoint pointOf(const HostCoord2D& c) { return CadPoint(c.x, c.y, 0.0); }
    // The label part of a default record; the kind stays when keepKind and it is a label kind.
    void takeDefaults(const HostLabelElement& defaults, bool keepKind);
    bool isFixedSize() const { return m_record.symbolFlags.fixedSize != 0; }

    HostLabelElement m_record;
    bool m_hasDefaults = false;
};

// The factory's creator of labels; null for a record of another type.
std::unique_ptr<Element> createLabel(const API_Element& record, ElementLink& link);

} // namespace tarnwick
