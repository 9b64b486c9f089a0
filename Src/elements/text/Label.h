// A host label (type 16) as far as its text is concerned: the record is kept whole and written
// back as read; the memo part is the label's text.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "elements/text/TextMemo.h"

namespace tarnwick {

class Label : public Element, public TextMemo {
public:
    static constexpr uint8_t TypeCode = 16;

    // An existing label; its text is read on first use.
    Label(const API_Element& record, const ElementLink& link);
    Label(const Label& other) = default;
    Label& operator=(const Label& other) = default;
    ~Label() override = default;

    using Element::isValid;
    using Element::mergeChanges;
    using Element::setTextStyle;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Label>(*this); }
    std::unique_ptr<API_Element> buildRecord() const override;
    // Adds the text part unless it is loaded (when memo loading is not suspended).
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, for an empty text.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

protected:
    Element* getTextOwner() override { return this; }

private:
    API_Element m_record;
};

// The factory's creator of labels; null for a record of another type.
std::unique_ptr<Element> createLabel(const API_Element& record, ElementLink& link);

} // namespace tarnwick
