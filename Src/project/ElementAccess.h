// What the element model lends the drawings: the element classes sit above the project model, so
// a drawing wraps and writes elements through this, installed when the element model starts.
#pragma once

#include <memory>

#include "Environment/String.h"
#include "Environment/Transformation.h"
#include "project/Drawing.h"
#include "project/Layer.h"

namespace tarnwick {

class ElementAccess {
public:
    virtual ~ElementAccess() = default;

    // The record wrapped in the class registered for its type, with its memo parts read; null
    // when no class takes it or the filter (when given) refuses it.
    virtual std::unique_ptr<Element> wrap(const API_Element& record, ElementLink& link,
                                          const Drawing::Filter* filter) = 0;
    virtual const ElementLink& linkOf(const Element& element) const = 0;
    virtual std::unique_ptr<Element> clone(const Element& element) const = 0;
    virtual bool saveElement(Drawing& drawing, Element& element, bool asNew, bool withMemo) = 0;
    virtual bool storeElementUserData(Drawing& drawing, Element& element) = 0;
    // Whether the element is the marker of the view with that database Guid.
    virtual bool isCutPlaneReferenceOf(const Element& element, const Guid& view) const = 0;

    // What the drawings' changes need of an element.
    // A new host record of the element; null when it builds none.
    virtual std::unique_ptr<API_Element> buildRecord(const Element& element) const = 0;
    // A new memo of the element's loaded parts with the info text in its info-string field, and the
    // mask of the parts it holds; null when the element builds none.
    virtual ElementMemoPtr buildMemo(Element& element, const String& infoText, uint64_t& mask) = 0;
    virtual String getInfoString(Element& element) = 0;
    // The head of the element's record, to be written.
    virtual HostElementHead& recordHead(Element& element) = 0;
    // The element takes the link (keeping its own type id) and writes it into its record's head.
    virtual void setLink(Element& element, const ElementLink& link) = 0;
    // Sets what is given: the layer, the storey (of the link's home and the record's head) and
    // the head Guid.
    virtual void place(Element& element, const Layer* layer, const Storey* storey, const Guid* head) = 0;
    // The first pending transformation, or null.
    virtual std::unique_ptr<Transformation> takeTransformation(Element& element) = 0;

    // What the edit manager needs of an element before it changes it.
    virtual Guid getEditBlockGuid(const Element& element) const = 0;
    virtual bool isEditable(const Element& element) const = 0;
    virtual bool isLocked(const Element& element) const = 0;
    virtual void setLocked(Element& element, bool locked) = 0;
    virtual Layer getLayer(const Element& element) const = 0;
    // The owner user id of the element's record (shared projects).
    virtual uint16_t getOwnerUserId(const Element& element) const = 0;
    virtual void setOwnerUserId(Element& element, uint16_t userId) = 0;

protected:
    static bool makeCurrent(Drawing& drawing) { return drawing.makeCurrent(); }
    static void setLastError(Drawing& drawing, GSErrCode error) { drawing.m_lastError = error; }
};

// Null uninstalls.
void installElementAccess(ElementAccess* access);
// The installed access; throws std::logic_error when the element model was never started, which
// is a program built without it, not a host failure.
ElementAccess& elementAccess();

} // namespace tarnwick
