#include "elements/text/Label.h"

#include "elements/MemoStore.h"

namespace tarnwick {

Label::Label(const API_Element& record, const ElementLink& link) : Element(link), m_record(record) {}

std::unique_ptr<API_Element> Label::buildRecord() const {
    auto record = std::make_unique<API_Element>(m_record);
    getLink().writeHeader(record->head, true);
    return record;
}

void Label::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && !TextMemo::isLoaded()) mask |= MemoText;
    if ((mask & MemoText) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            m_loaded = true;
            return;
        }
        if (!fetchMemo(mask, store)) return;
    }
    // A label may carry no text: that is a loaded, empty text.
    if (!readMemo(*store) && store->getTextContent() == nullptr) m_loaded = true;
}

ElementMemoPtr Label::buildMemo(uint64_t& mask) {
    mask = 0;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    if (store.getTextContent() != nullptr) mask |= MemoText;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createLabel(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != Label::TypeCode) return nullptr;
    return std::make_unique<Label>(record, link);
}

} // namespace tarnwick
