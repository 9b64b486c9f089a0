// A host text block (type 15): the element part carries the host's text record (position, block
// size, pen, font, placement codes), the memo part the rich text.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "elements/text/TextMemo.h"
#include "platform/api/TextRecords.h"

namespace tarnwick {

class Text : public Element, public TextMemo {
public:
    static constexpr uint8_t TypeCode = 15;

    // A new text block in no drawing yet, in the host's default text settings: one style run, at
    // the origin.
    explicit Text(const String& text);
    // An existing text block; its text is read on first use.
    Text(const API_Element& record, const ElementLink& link);
    Text(const Text& other) = default;
    Text& operator=(const Text& other) = default;
    ~Text() override = default;

    // The element's, not the memo's.
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Text>(*this); }
    // Roles 0 and 16: the record's pen; any other role: pen 0.
    void getPen(Pen& pen, uint32_t which) const override;
    // Roles 0 and 16 only.
    void setPen(const Pen& pen, uint32_t which) override;
    void getReferencePoint(CadPoint& point) const override;
    double getBoundsZSize() override { return m_record.height; }
    double getBoundsXSize() override { return m_record.width; }
    void setReferencePoint(const CadPoint& point) override;
    // Null for a block whose host text could not be read, so that it is never written over.
    std::unique_ptr<API_Element> buildRecord() const override;
    // Adds the text parts unless they are loaded (when memo loading is not suspended). A new block
    // has nothing to read; a failed fetch leaves the text unloaded.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, for an empty text.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    virtual bool getTextFlag() const { return m_record.textFlag != 0; }
    virtual uint32_t getLineCount() const { return m_record.lineCount; }
    virtual void setLineCount(uint32_t count) { m_record.lineCount = count; }
    // Roles 0 and 1: the record's style; null for any other role.
    std::unique_ptr<TextStyle> getTextStyle(uint32_t which) const override;
    // Roles 0 and 1: into the record; any other role does nothing.
    void setTextStyle(const TextStyle& style, uint32_t which) override;
    virtual double getAngle() const { return m_record.angle; }
    virtual void setWidth(double width) { m_record.width = width; }
    virtual void setHeight(double height) { m_record.height = height; }
    // The host's default text record and style for the whole text, at the origin.
    virtual void applyDefaults();
    // False when the host could not hand out its default text: the record is then blank (no pen,
    // font or size), not fit to be placed.
    bool hasDefaults() const { return m_hasDefaults; }

    // Puts the block into the box of two plan points (the corner its anchor names), sized in
    // paper millimetres at the drawing's scale, on the drawing's storey; stores it with its memo
    // and, when given, the user data. False for a drawing without a positive scale or when the
    // host refuses.
    [[nodiscard]] bool placeInBox(const CadPoint& first, const CadPoint& second, Drawing& drawing,
                                  const MemoryBlock* userData = nullptr);
    // The same at the scale given (1:scale) in place of the drawing's, and on the storey given
    // in place of the drawing's (none: the record's storey as it stands).
    [[nodiscard]] bool placeInBox(const CadPoint& first, const CadPoint& second, Drawing& drawing,
                                  double scale, Storey* storey, const MemoryBlock* userData = nullptr);
    const HostTextElement& getTextRecord() const { return m_record; }

protected:
    Element* getTextOwner() override { return this; }

private:
    HostTextElement m_record;
    bool m_hasDefaults = false;
};

// The factory's creator of text blocks; null for a record of another type.
std::unique_ptr<Element> createText(const API_Element& record, ElementLink& link);

} // namespace tarnwick
