// How the iterator template walks a drawing's elements. Include this to walk a Drawing.
#pragma once

#include "elements/Element.h"
#include "project/Drawing.h"

namespace tarnwick {

template <> struct IteratorTraits<Drawing> {
    static Drawing* databaseOf(const ElementLink& link) { return link.getDrawing(); }
    static std::unique_ptr<Element> read(Drawing& drawing, const ElementLink& link,
                                         const Drawing::Filter& filter) {
        return drawing.getElement(link, &filter);
    }
    static std::unique_ptr<Element> next(const ElementLink& position, bool forward, Drawing::Filter& filter) {
        Drawing* drawing = position.getDrawing();
        return drawing == nullptr ? nullptr : drawing->findItem(position, forward, filter, true);
    }
    static const ElementLink& linkOf(const Element& item) { return item.getLink(); }
    static bool save(Element& item) {
        Drawing* drawing = item.getLink().getDrawing();
        return drawing != nullptr && drawing->saveElement(item, false, true);
    }
    static std::unique_ptr<Element> copy(const Element& item) { return item.clone(); }
};

} // namespace tarnwick
