// The IFC data the host keeps for an element, as a part of the element classes that carry it.
// Placed objects need no more of it yet than to carry it along: it is copied with its element and
// takes part in the element's merge, which copies nothing of the other elements.
#pragma once

namespace tarnwick {

class IFCMemo {
public:
    IFCMemo() = default;
    IFCMemo(const IFCMemo&) = default;
    IFCMemo& operator=(const IFCMemo&) = default;
    virtual ~IFCMemo() = default;

    virtual void mergeChanges(const IFCMemo&, const IFCMemo&) {}
};

} // namespace tarnwick
