// Drawing: the view's window. Zoom, extent, scale, the length of a pixel, redraws and rebuilds;
// each acts on the drawing made current first.
#include <cmath>

#include "Environment/HostCalls.h"
#include "geometry/Cube.h"
#include "project/Drawing.h"

namespace tarnwick {

bool Drawing::zoom(const Cube& cube) {
    if (!makeCurrent()) return false;
    Cube box = cube;
    box.normalise();
    HostBox2D plan = box.getPlanBox();
    m_lastError = ACAPAutomationCall(fourCC("ZOOM"), &plan);
    return m_lastError == hosterr::Ok;
}

bool Drawing::restoreZoom() {
    if (!makeCurrent()) return false;
    m_lastError = ACAPAutomationCall(fourCC("DOOM"));
    return m_lastError == hosterr::Ok;
}

std::unique_ptr<Cube> Drawing::getExtent(bool whole) {
    if (!makeCurrent()) return nullptr;
    HostBox2D box;
    m_lastError = ACAPDatabaseCall(whole ? fourCC("GEX2") : fourCC("GZOM"), &box);
    if (m_lastError != hosterr::Ok) return nullptr;
    return std::make_unique<Cube>(box);
}

double Drawing::getScale() {
    if (!makeCurrent()) return 0.0;
    double scale = 0.0;
    m_lastError = ACAPDatabaseCall(fourCC("GSCL"), &scale);
    return m_lastError == hosterr::Ok ? scale : 0.0;
}

// Made current first: otherwise the scale of whichever view is current would change.
GSErrCode Drawing::setScale(double scale, bool flag) {
    if (!makeCurrent()) return hosterr::BadDatabase;
    m_lastError = ACAPDatabaseCall(fourCC("CDRS"), &scale, &flag);
    return m_lastError;
}

double Drawing::getPixelLength() {
    if (!makeCurrent()) return 0.0;
    HostPixelPoint pixels[2] = {{0, 0}, {0, 100}};
    HostCoord2D points[2];
    for (int i = 0; i < 2; ++i) {
        m_lastError = ACAPDatabaseCall(fourCC("PTOC"), &pixels[i], &points[i]);
        if (m_lastError != hosterr::Ok) return 0.0;
    }
    return std::hypot(points[1].x - points[0].x, points[1].y - points[0].y) / 100.0;
}

bool Drawing::redrawElements(const ElementLinkList& links) {
    if (!makeCurrent()) return false;
    bool all = true;
    for (const ElementLink* link : links) {
        if (link == nullptr) continue;
        HostElementHead head;
        link->getHeader(head);
        GSErrCode err = ACAPDatabaseCall(fourCC("DRWE"), &head);
        if (err != hosterr::Ok) {
            m_lastError = err;
            all = false;
        }
    }
    if (all) m_lastError = hosterr::Ok;
    return all;
}

bool Drawing::redraw() {
    if (!makeCurrent()) return false;
    m_lastError = ACAPDatabaseCall(fourCC("DRDB"));
    return m_lastError == hosterr::Ok;
}

bool Drawing::rebuildView(bool flag) {
    if (!makeCurrent()) return false;
    HostRebuildRecord record;
    record.flag = flag ? 1 : 0;
    m_lastError = ACAPAutomationCall(fourCC("RBLD"), &record);
    return m_lastError == hosterr::Ok;
}

bool Drawing::rebuild() {
    if (!makeCurrent()) return false;
    m_lastError = ACAPDatabaseCall(fourCC("RBDB"));
    return m_lastError == hosterr::Ok;
}

} // namespace tarnwick
