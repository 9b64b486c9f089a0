#include "Drawing.h"

#include "Environment/HostCalls.h"
#include "Layer.h"
#include "Plan.h"
#include "Project.h"
#include "Storey.h"

namespace tarnwick {

void Drawing::reset() {
    m_selection.reset();
}

DatabaseRef Drawing::getDatabaseRef() const {
    return DatabaseRef(getDatabaseType(), getDatabaseGuid(), 0);
}

bool Drawing::makeCurrent() {
    return m_project != nullptr && m_project->setCurrentDatabase(this);
}

bool Drawing::findElement(const Guid& guid, ElementLink* link, Layer* layer, Storey** storey) {
    if (link != nullptr) *link = ElementLink();
    if (layer != nullptr) *layer = Layer(AttributeLink(0u, AttrLayer));
    if (storey != nullptr) *storey = nullptr;
    if (!makeCurrent()) return false;
    HostElementHead header;
    header.guid = guid.toAPI();
    m_lastError = ACAPGetElementHeader(&header);
    bool found = m_lastError == hosterr::Ok;
    if (found) {
        if (link != nullptr) *link = ElementLink(header, this);
        if (layer != nullptr) *layer = Layer(AttributeLink(static_cast<uint32_t>(header.layer), AttrLayer));
        uint32_t kind = getDatabaseType();
        if (storey != nullptr && (kind == DatabasePlan || kind == DatabaseModel)) {
            Plan* plan = m_project->getPlan();
            if (plan != nullptr) *storey = plan->getStorey(static_cast<uint16_t>(header.storey));
        }
    }
    makeCurrent(); // building the layer and storey may have switched databases
    return found;
}

} // namespace tarnwick
