// Drawing: the model point under the mouse pointer in the view's window.
#include <cmath>
#include <cstdlib>
#include <memory>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/SystemServices.h"
#include "geometry/CadPoint.h"
#include "geometry/Cube.h"
#include "geometry/ScreenPoint.h"
#include "geometry/ScreenRect.h"
#include "project/Drawing.h"
#include "project/Project.h"

namespace tarnwick {

// The window's screen pixels are the host's pixels times a display scale, which the host does not
// tell: it is read off the zoom box, whose host pixels span the window, in quarters.
CadPoint Drawing::getCursorPosition() {
    CadPoint position(0.0, 0.0, 0.0);
    ScreenPoint mouse;
    SystemServices::getMousePosition(mouse);
    if (m_project != nullptr) (void)m_project->setFrontWindow(this);
    HWND window = ScreenRect::findWindow(getName());
    if (window == nullptr) window = Host::getApplicationWindow();
    if (window == nullptr) return position;
    const ScreenRect area(window);

    std::unique_ptr<Cube> zoom = getExtent(false);
    if (zoom == nullptr) return position;
    HostCoord2D corners[2] = {{zoom->getMin().getX(), zoom->getMin().getY()},
                              {zoom->getMax().getX(), zoom->getMax().getY()}};
    HostPixelPoint pixels[2];
    for (int i = 0; i < 2; ++i) {
        m_lastError = ACAPDatabaseCall(fourCC("CTOP"), &corners[i], &pixels[i]);
        if (m_lastError != hosterr::Ok) return position;
    }
    const double zoomWidth = std::abs(static_cast<double>(pixels[1].h) - pixels[0].h);
    if (zoomWidth == 0.0) return position;
    const double quarters = std::floor(4.0 * area.getWidth() / zoomWidth + 0.5);
    if (quarters == 0.0) return position;
    const double factor = 4.0 / quarters;

    HostPixelPoint pixel{static_cast<int32_t>(std::floor((mouse.getX() - area.getLeft()) * factor + 0.5)),
                         static_cast<int32_t>(std::floor((mouse.getY() - area.getTop()) * factor + 0.5))};
    HostCoord2D point;
    m_lastError = ACAPDatabaseCall(fourCC("PTOC"), &pixel, &point);
    if (m_lastError != hosterr::Ok) return position;
    return CadPoint(point.x, point.y, 0.0);
}

} // namespace tarnwick
