// Sections and elevations: views cut through the model, whose elements are the model's seen
// through proxies, and whose markers stand on the floor plan. The proxy-link operations are shared
// with the other views that show the model through proxies (interior elevations, 3D documents).
#pragma once

#include <cstdint>
#include <memory>

#include "project/Drawing.h"

namespace tarnwick {

// The proxy-link rules every proxy-showing view follows.
namespace proxyview {
// Marks the link as a proxy's (type 29, no sub-kind, no selection kind); false when it already is.
[[nodiscard]] bool makeProxyLink(ElementLink& link);
// The link as the view sees it: when its proxy fields name this view, a proxy type and a proxy
// Guid, a copy typed as the proxy and homed in the view; otherwise an unchanged copy.
ElementLink getViewLink(const Drawing& view, const ElementLink& link);
} // namespace proxyview

class CutPlane : public Drawing {
public:
    using Drawing::Drawing;

    // A link whose proxy is this view is read from its home drawing.
    std::unique_ptr<Element> get(const ElementLink& link) override;

    // The element type of the view's marker on the floor plan.
    virtual uint8_t getMarkerType() const = 0;
    [[nodiscard]] virtual bool makeProxyLink(ElementLink& link) { return proxyview::makeProxyLink(link); }
    virtual ElementLink getViewLink(const ElementLink& link) const {
        return proxyview::getViewLink(*this, link);
    }

    // This view's marker on the floor plan; null when there is none. The caller owns it.
    std::unique_ptr<Element> findMarker();
    // The link of the first element of this view with the link's Guid (as the walk resolves it);
    // a default link when none.
    ElementLink findProxyLink(const ElementLink& link);
    // The same for a list in one walk: copies of the links found go to out; answers how many.
    int32_t findProxyLinks(const ElementLinkList& links, ElementLinkList& out);
    // Names, in each entry that a proxy of this view shows, that proxy: this view as proxy
    // database, the proxy's Guid and the proxy type. Entries no proxy shows are left as they are.
    void toProxyLinks(ElementLinkList& links);
};

class Section : public CutPlane {
public:
    using CutPlane::CutPlane;
    String getTypeName() const override { return String("Section"); }
    uint32_t getDatabaseType() const override { return DatabaseSection; }
    uint32_t getNavigatorItemType() const override { return 3; }
    uint8_t getMarkerType() const override { return 25; }
};

class Elevation : public CutPlane {
public:
    using CutPlane::CutPlane;
    String getTypeName() const override { return String("Elevation"); }
    uint32_t getDatabaseType() const override { return DatabaseElevation; }
    uint32_t getNavigatorItemType() const override { return 20; }
    uint8_t getMarkerType() const override { return 33; }
};

} // namespace tarnwick
