// Element: storeys and merged changes, editability, links, relations, associations and nodes.
#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/User.h"
#include "elements/Element.h"
#include "platform/gsroot/Containers.h"
#include "project/Drawing.h"
#include "project/Project.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
bool namedByStorey(const DatabaseRef& ref) {
    return ref.getKind() == DatabasePlan || ref.getKind() == DatabaseModel;
}

uint16_t currentUserId() {
    return Host::getCurrentUser().getUserId();
}
} // namespace

Storey* Element::getStorey() const {
    return namedByStorey(m_link.getHome()) ? m_link.getHome().getStorey() : nullptr;
}

void Element::setStorey(const Storey& storey, bool adjust) {
    m_link.getHome().setStorey(storey);
    if (adjust) clearOverrideStoreyPart();
}

void Element::clearOverrideStoreyPart() {
    OverrideSet set;
    getOverrideSet(set);
    set.clearStoreyPart();
    setOverrideSet(set);
}

void Element::mergeChanges(const Element& changed, const Element& reference) {
    if (namedByStorey(m_link.getHome()) && namedByStorey(changed.m_link.getHome()) &&
        namedByStorey(reference.m_link.getHome())) {
        Storey* to = changed.getStorey();
        Storey* from = reference.getStorey();
        if (to != nullptr && (from == nullptr || to->getIndex() != from->getIndex())) {
            m_link.getHome().setStoreyIndex(to->getIndex());
            clearOverrideStoreyPart();
        }
    }
    HostElementHead& head = getRecord();
    const HostElementHead& theirs = changed.getRecord();
    const HostElementHead& before = reference.getRecord();
    if (theirs.layer != before.layer) head.layer = theirs.layer;
    if (theirs.phase != before.phase) head.phase = theirs.phase;
    if (!(theirs.mergedGuid == before.mergedGuid)) head.mergedGuid = theirs.mergedGuid;
}

bool Element::isEditable() const {
    const HostElementHead& head = getRecord();
    if (!head.editBlockGuid.isNull()) return false;
    if (ACAPIsSharedProject()) {
        if (head.ownerUserId != currentUserId()) return false;
    } else if (head.lockWord != 0) {
        return false;
    }
    Layer layer = getLayer();
    return !layer.isLocked() && !layer.isHidden();
}

// --- Relations and associations.

bool Element::copyRelations(const Element& from) {
    if (from.getDrawing() == nullptr) return true; // no relations to be found
    const API_Guid source = from.getGuid().toAPI();
    GS::Array<API_Guid> related;
    if (ACAPGetElementRelationList(&source, &related) != hosterr::Ok) return false;
    const API_Guid mine = getGuid().toAPI();
    const uint32_t none = fourCC("TRNO");
    for (const API_Guid& other : related) {
        uint32_t code = none;
        if (ACAPGetElementRelationCode(&source, &other, &code) != hosterr::Ok) return false;
        if (code == none) continue;
        GS::Array<API_Guid> one;
        one.Push(mine);
        if (ACAPSetElementRelationCode(&other, &one, code) != hosterr::Ok) return false;
    }
    return true;
}

bool Element::copyAssociations(const ElementLink& from, bool replace) {
    const API_Guid source = from.getGuid().toAPI();
    const API_Guid mine = getGuid().toAPI();
    GS::Array<API_Guid> theirs;
    GS::Array<API_Guid> own;
    if (ACAPGetAssociatedElements(&source, &theirs) != hosterr::Ok) return false;
    if (ACAPGetAssociatedElements(&mine, &own) != hosterr::Ok) return false;
    if (theirs.IsEmpty()) return true;
    if (replace)
        for (const API_Guid& other : own)
            ACAPDissociateElements(&mine, &other);
    for (const API_Guid& other : theirs) {
        uint32_t flags = 0;
        uint32_t subFlags = 0;
        ACAPGetAssociationFlags(&source, &other, &flags);
        ACAPGetAssociationSubFlags(&source, &other, &subFlags);
        ACAPAssociateElements(&mine, &other, flags, subFlags);
    }
    return true;
}

bool Element::associateWith(const ElementLink& other, uint32_t flags, uint32_t subFlags) {
    const API_Guid mine = getGuid().toAPI();
    const API_Guid theirs = other.getGuid().toAPI();
    return ACAPAssociateElements(&mine, &theirs, flags, subFlags) == hosterr::Ok;
}

// --- Links between elements.

bool Element::linkTo(const ElementLink& other, uint32_t flags) const {
    const API_Guid mine = getGuid().toAPI();
    const API_Guid theirs = other.getGuid().toAPI();
    return ACAPLinkElements(&mine, &theirs, flags) == hosterr::Ok;
}

bool Element::unlinkFrom(const ElementLink& other) const {
    const API_Guid mine = getGuid().toAPI();
    const API_Guid theirs = other.getGuid().toAPI();
    return ACAPUnlinkElements(&mine, &theirs) == hosterr::Ok;
}

uint32_t Element::getLinkFlags(const ElementLink& other) const {
    const API_Guid mine = getGuid().toAPI();
    const API_Guid theirs = other.getGuid().toAPI();
    uint32_t flags = 0;
    if (ACAPGetElementLinkFlags(&mine, &theirs, &flags) != hosterr::Ok) return 0;
    return flags;
}

size_t Element::getLinkedElements(ElementLinkList& links) const {
    Drawing* drawing = getDrawing();
    if (drawing == nullptr) return 0;
    int32_t count = drawing->getLinkedElements(m_link, links);
    return count > 0 ? static_cast<size_t>(count) : 0;
}

Guid Element::getRelatedGuid() const {
    const API_Guid mine = getGuid().toAPI();
    API_Guid related;
    if (ACAPElementGuidCall(&mine, &related) != hosterr::Ok) return Guid();
    return Guid(related);
}

size_t Element::getNodePoints(std::vector<CadPoint>& points) const {
    HostSelectionRecord record;
    m_link.getSelectionRecord(record);
    size_t appended = 0;
    // A host that never refuses must not hold the add-on for ever.
    for (uint32_t node = 1; node <= MaxNodePoints; ++node) {
        record.partIndex = node;
        HostCoord3D point;
        if (ACAPUtilityCall(fourCC("NTOC"), &record, &point) != hosterr::Ok) break;
        points.emplace_back(point);
        ++appended;
    }
    return appended;
}

} // namespace tarnwick
