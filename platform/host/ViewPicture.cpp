#include "ViewPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "CallLog.h"
#include "ElementGeometry.h"
#include "ElementSummary.h"
#include "ElementTypes.h"
#include "OpeningParts.h"
#include "Project.h"
#include "RecordFields.h"
#include "Scenario.h"
#include "TextBlocks.h"
#include "TextMeasure.h"
#include "WallParts.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
// Paper millimetres.
constexpr double Margin = 10.0;
constexpr double CaptionBand = 8.0;
constexpr double CaptionSize = 4.0;
constexpr double GridLabelSize = 1.6;
constexpr double NumberRoom = 3.0; // a grid line closer to the frame's edge is not numbered
constexpr double NumberGap = 1.0;  // between two numbers of the grid
constexpr double LegendSize = 2.0;
constexpr double LegendPitch = 3.0;
// Of the frame's width, for the legend's lines: it is drawn in the viewer's font, which may run
// wider than the host's measure.
constexpr double LegendFill = 0.8;
constexpr double LeastGridStep = 5.0;
constexpr double MostGridLines = 60.0;
constexpr double MarkReach = 1.0;
constexpr double PointerRadius = 0.5;
constexpr double LeaderLeg = 3.0;
constexpr double DefaultTextSize = 2.5;
constexpr uint32_t LabelTypeCode = 16;
constexpr uint32_t LineTypeCode = 19;

struct Point {
    double x = 0.0;
    double y = 0.0;
};

struct Extent {
    double xMin = INFINITY, yMin = INFINITY, xMax = -INFINITY, yMax = -INFINITY;

    void add(const Point& p) {
        xMin = std::min(xMin, p.x);
        yMin = std::min(yMin, p.y);
        xMax = std::max(xMax, p.x);
        yMax = std::max(yMax, p.y);
    }
    void add(const Extent& other) {
        if (other.empty()) return;
        add(Point{other.xMin, other.yMin});
        add(Point{other.xMax, other.yMax});
    }
    bool empty() const { return xMin > xMax; }
    bool finite() const {
        return std::isfinite(xMin) && std::isfinite(yMin) && std::isfinite(xMax) && std::isfinite(yMax);
    }
};

// What one element adds to the picture: outlines at the bottom, the openings cut into walls over
// them, annotations on top.
enum class Layer { Outline, Opening, Annotation };

struct Figure {
    Layer layer = Layer::Outline;
    std::string svg;
    Extent extent;
};

std::string fixed(double value, int decimals) {
    const int size = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string text(static_cast<size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
    // "-0.00" would read as another number to whoever compares the file.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

std::string mm(double value) {
    return fixed(value, 2);
}

std::string attribute(const char* name, double value) {
    return std::string(" ") + name + "=\"" + mm(value) + "\"";
}

// Element text for XML: the special characters escaped, and bytes that are not UTF-8 or characters
// XML does not allow as U+FFFD, so that the file stays well-formed whatever a memo holds.
std::string xmlText(const std::string& text) {
    static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool whole = length != 0 && i + length <= text.size();
        for (size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        const bool allowed = whole && c >= least[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF) &&
                             c != 0xFFFE && c != 0xFFFF && (c >= 0x20 || c == '\t' || c == '\n' || c == '\r');
        if (!allowed) {
            out += "\xEF\xBF\xBD";
            i += whole ? length : 1;
            continue;
        }
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out.append(text, i, length);
            break;
        }
        i += length;
    }
    return out;
}

// Lines as a text block breaks them: CR LF and LF CR are one break.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            lines.back() += c;
            continue;
        }
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
        lines.emplace_back();
    }
    while (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    return lines;
}

double lineWidth(const std::string& line, double size, const std::string& font = {}) {
    return textWidth(GS::Utf8ToUtf16(line), size, font);
}

// How much wider than the host's measure a viewer's font may run: its fonts are not the host's,
// and common viewers do not stretch or squeeze a line to a given length.
constexpr double ViewerFontAllowance = 1.25;

// A paragraph broken at the blanks between words into lines that the host measures no wider than
// `width` less the viewer's allowance, so that they stay inside `width` in a wider font; a word
// wider than that stands alone on its line. A width of 0 or less breaks nothing.
std::vector<std::string> wrapped(const std::string& paragraph, double width, double size,
                                 const std::string& font) {
    const double room = width / ViewerFontAllowance;
    if (!(width > 0.0) || lineWidth(paragraph, size, font) <= room) return {paragraph};
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at <= paragraph.size()) {
        size_t blank = paragraph.find(' ', at);
        if (blank == std::string::npos) blank = paragraph.size();
        const std::string word = paragraph.substr(at, blank - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && lineWidth(longer, size, font) > room) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        at = blank + 1;
    }
    lines.push_back(line);
    return lines;
}

// A line's length as the host measures it, for viewers that can fit a line to it; the wrapping
// above does not rely on it.
std::string fitted(double width) {
    if (!(width > 0.0) || !std::isfinite(width)) return {};
    return attribute("textLength", width) + " lengthAdjust=\"spacingAndGlyphs\"";
}

bool finite(const Point& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

class Painter {
public:
    Painter(const Project& project, const ElementStore& elements, double scale)
        : m_project(project), m_elements(elements), m_perUnit(1000.0 / scale) {}

    // Model y grows upwards, the picture's downwards.
    Point paper(double x, double y) const { return {x * m_perUnit, -y * m_perUnit}; }
    Point paper(const HostCoord2D& p) const { return paper(p.x, p.y); }
    double perUnit() const { return m_perUnit; }

    std::optional<Figure> figureOf(const StoredElement& element) const {
        const uint32_t type = element.head().typeCode;
        if (type == TextTypeCode) return textBlock(element);
        if (type == LabelTypeCode) return label(element);
        if (type == WallTypeCode) return wall(element);
        if (isWallOpening(type)) return opening(element);
        if (auto contours = contoursOf(element.memo); !contours.empty()) return outline(element, contours);
        std::vector<HostCoord3D> nodes = nodePointsOf(element);
        if (type == LineTypeCode && nodes.size() == 2) return line(element, nodes);
        return marks(element, nodes);
    }

private:
    static std::string modelPoint(const HostCoord2D& p) { return fixed(p.x, 3) + " " + fixed(p.y, 3); }

    static std::string title(const StoredElement& element, const HostCoord2D& at,
                             const std::string& more = {}) {
        std::string text = elementTypeName(element.head().typeCode);
        if (!element.infoText.empty()) text += " " + inQuotes(element.infoText);
        return "<title>" + xmlText(text + " at " + modelPoint(at) + more) + "</title>\n";
    }

    static std::string open(const char* kind, const std::string& transform = {}) {
        return std::string("<g class=\"") + kind + "\"" +
               (transform.empty() ? std::string() : " transform=\"" + transform + "\"") + ">\n";
    }

    std::optional<Figure> textBlock(const StoredElement& element) const {
        const HostTextElement part = textPartOf(element.record);
        const Point at = paper(part.location);
        const double width = std::fabs(part.width), height = std::fabs(part.height);
        const double size = part.size > 0.0 && std::isfinite(part.size) ? part.size : DefaultTextSize;
        const double pitch = part.spacing > 0.0 && std::isfinite(part.spacing) ? part.spacing : 1.0;
        if (!finite(at) || !std::isfinite(width) || !std::isfinite(height) || !std::isfinite(part.angle))
            return std::nullopt;
        // The location is the box point the anchor names: column left to right, row top down.
        const uint32_t anchor = part.anchor <= 8 ? part.anchor : 0;
        // The text runs in lines of the block's width; a block too low for them grows downwards.
        const std::string font = fontName(part.font);
        std::vector<std::string> lines;
        for (const std::string& paragraph : linesOf(textOf(element.memo)))
            for (std::string& line : wrapped(paragraph, width, size, font))
                lines.push_back(std::move(line));
        const double needed = size * pitch * static_cast<double>(lines.size()) + size * 0.3;
        const double left = at.x - width * (anchor % 3) / 2.0;
        const double top = at.y - height * static_cast<double>(anchor / 3) / 2.0;
        const double drawnHeight = std::max(height, needed);
        Figure figure;
        figure.layer = Layer::Annotation;
        Extent local;
        local.add(Point{left, top});
        local.add(Point{left + width, top + drawnHeight});
        std::string body = "<rect" + attribute("x", left) + attribute("y", top) + attribute("width", width) +
                           attribute("height", drawnHeight) +
                           " fill=\"#fff3c4\" stroke=\"#c08a00\" stroke-width=\"0.2\"/>\n";
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].empty()) continue;
            const double baseline = top + size * pitch * static_cast<double>(i + 1);
            body += "<text" + attribute("x", left) + attribute("y", baseline) + attribute("font-size", size) +
                    fitted(lineWidth(lines[i], size, font)) + " fill=\"#202020\">" + xmlText(lines[i]) +
                    "</text>\n";
            local.add(Point{left + lineWidth(lines[i], size, font), baseline - size});
            local.add(Point{left, baseline});
        }
        // Counter-clockwise in the model is clockwise on paper.
        const double degrees = -part.angle * 180.0 / std::acos(-1.0);
        std::string transform;
        if (fixed(degrees, 2) != "0.00") {
            transform = "rotate(" + mm(degrees) + " " + mm(at.x) + " " + mm(at.y) + ")";
            const double c = std::cos(-part.angle), s = std::sin(-part.angle);
            for (const Point& p : {Point{local.xMin, local.yMin}, Point{local.xMax, local.yMin},
                                   Point{local.xMin, local.yMax}, Point{local.xMax, local.yMax}}) {
                const double dx = p.x - at.x, dy = p.y - at.y;
                figure.extent.add(Point{at.x + dx * c - dy * s, at.y + dx * s + dy * c});
            }
        } else {
            figure.extent = local;
        }
        figure.svg = open("text", transform) +
                     title(element, part.location, ", " + mm(width) + " by " + mm(height) + " mm") + body +
                     "</g>\n";
        return figure;
    }

    std::optional<Figure> label(const StoredElement& element) const {
        HostCoord2D leader[3];
        std::memcpy(leader, element.record.raw + LabelLeaderOffset, sizeof leader);
        const HostCoord2D& location = leader[0];
        const Point at = paper(location);
        if (!finite(at)) return std::nullopt;
        // A label whose leader is one point gets a leader of fixed size.
        const bool drawn = leader[2].x != location.x || leader[2].y != location.y;
        const Point bend = drawn ? paper(leader[1]) : Point{at.x + LeaderLeg, at.y - LeaderLeg};
        const Point end = drawn ? paper(leader[2]) : Point{bend.x + LeaderLeg, bend.y};
        if (!finite(bend) || !finite(end)) return std::nullopt;
        Figure figure;
        figure.layer = Layer::Annotation;
        figure.extent.add(Point{at.x - PointerRadius, at.y + PointerRadius});
        figure.extent.add(end);
        std::string body = "<circle" + attribute("cx", at.x) + attribute("cy", at.y) +
                           attribute("r", PointerRadius) + " fill=\"#2060b0\"/>\n" + "<polyline points=\"" +
                           mm(at.x) + "," + mm(at.y) + " " + mm(bend.x) + "," + mm(bend.y) + " " + mm(end.x) +
                           "," + mm(end.y) + "\" fill=\"none\" stroke=\"#2060b0\" stroke-width=\"0.2\"/>\n";
        const std::vector<std::string> lines = linesOf(textOf(element.memo));
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].empty()) continue;
            const double x = end.x + PointerRadius;
            const double baseline = end.y + DefaultTextSize * (0.35 + static_cast<double>(i));
            body += "<text" + attribute("x", x) + attribute("y", baseline) +
                    attribute("font-size", DefaultTextSize) + fitted(lineWidth(lines[i], DefaultTextSize)) +
                    " fill=\"#2060b0\">" + xmlText(lines[i]) + "</text>\n";
            figure.extent.add(Point{x + lineWidth(lines[i], DefaultTextSize), baseline});
            figure.extent.add(Point{x, baseline - DefaultTextSize});
        }
        figure.svg = open("label") + title(element, location) + body + "</g>\n";
        return figure;
    }

    // "M x y L x y ... Z" of the contours on paper (a contour that repeats its first point is
    // closed); nothing when a point is not finite.
    std::optional<std::string> pathOf(const std::vector<std::vector<HostCoord2D>>& contours,
                                      Extent& extent) const {
        std::string path;
        for (const auto& contour : contours) {
            const bool closed = contour.size() > 2 && contour.front().x == contour.back().x &&
                                contour.front().y == contour.back().y;
            const size_t count = closed ? contour.size() - 1 : contour.size();
            for (size_t i = 0; i < count; ++i) {
                const Point p = paper(contour[i]);
                if (!finite(p)) return std::nullopt;
                extent.add(p);
                path +=
                    std::string(path.empty() ? "" : " ") + (i == 0 ? "M " : "L ") + mm(p.x) + " " + mm(p.y);
            }
            if (closed) path += " Z";
        }
        return path;
    }

    std::optional<Figure> outline(const StoredElement& element,
                                  const std::vector<std::vector<HostCoord2D>>& contours) const {
        Figure figure;
        std::optional<std::string> path = pathOf(contours, figure.extent);
        if (!path) return std::nullopt;
        figure.svg = open("outline") + title(element, contours.front().front()) + "<path d=\"" + *path +
                     "\" fill=\"#f2f2f2\" fill-rule=\"evenodd\" stroke=\"#404040\" stroke-width=\"0.25\"/>\n"
                     "</g>\n";
        return figure;
    }

    // A wall at its thickness: a polygonal wall's outline from its memo, another's from its
    // reference line; its openings are figures of their own, drawn over it.
    std::optional<Figure> wall(const StoredElement& element) const {
        const HostWallElement part = partOf<HostWallElement>(element.record);
        std::vector<std::vector<HostCoord2D>> contours = contoursOf(element.memo);
        if (contours.empty()) {
            std::vector<HostCoord2D> corners = wallOutline(part);
            if (corners.empty()) return std::nullopt;
            corners.push_back(corners.front());
            contours.push_back(std::move(corners));
        }
        Figure figure;
        std::optional<std::string> path = pathOf(contours, figure.extent);
        if (!path) return std::nullopt;
        figure.svg = open("wall") + title(element, part.begin, ", " + fixed(part.thickness, 3) + " thick") +
                     "<path d=\"" + *path +
                     "\" fill=\"#d0d0d0\" fill-rule=\"evenodd\" stroke=\"#202020\" stroke-width=\"0.35\"/>\n"
                     "</g>\n";
        return figure;
    }

    // A window or door cut into its straight wall: the gap of its width, centred at its position
    // along the reference line, across the wall's thickness; a window's glass along its middle, a
    // door's leaf and swing on the wall's left.
    std::optional<Figure> opening(const StoredElement& element) const {
        const HostJoineryElement part = partOf<HostJoineryElement>(element.record);
        const StoredElement* owner = m_elements.find(part.ownerGuid);
        if (owner == nullptr || owner->head().typeCode != WallTypeCode) return std::nullopt;
        const HostWallElement wall = partOf<HostWallElement>(owner->record);
        const std::optional<WallFaces> faces = straightWallFaces(wall);
        const double width = part.opening.width;
        if (!faces || !(width > 0.0) || !std::isfinite(width) || !std::isfinite(part.wallPosition))
            return std::nullopt;
        const double length = std::hypot(wall.end.x - wall.begin.x, wall.end.y - wall.begin.y);
        const double ux = (wall.end.x - wall.begin.x) / length, uy = (wall.end.y - wall.begin.y) / length;
        auto at = [&](double along, double across) {
            return paper(wall.begin.x + ux * along - uy * across, wall.begin.y + uy * along + ux * across);
        };
        const double from = part.wallPosition - width / 2.0, to = part.wallPosition + width / 2.0;
        const Point corners[] = {at(from, faces->right), at(to, faces->right), at(to, faces->left),
                                 at(from, faces->left)};
        Figure figure;
        figure.layer = Layer::Opening;
        std::string gap;
        for (const Point& p : corners) {
            if (!finite(p)) return std::nullopt;
            figure.extent.add(p);
            gap += std::string(gap.empty() ? "M " : " L ") + mm(p.x) + " " + mm(p.y);
        }
        std::string body =
            "<path d=\"" + gap + " Z\" fill=\"white\" stroke=\"#202020\" stroke-width=\"0.25\"/>\n";
        if (element.head().typeCode == WindowTypeCode) {
            const double middle = (faces->right + faces->left) / 2.0;
            const Point a = at(from, middle), b = at(to, middle);
            body += "<line" + attribute("x1", a.x) + attribute("y1", a.y) + attribute("x2", b.x) +
                    attribute("y2", b.y) + " stroke=\"#2060b0\" stroke-width=\"0.35\"/>\n";
        } else {
            // The leaf stands open at right angles from the hinge, its swing a quarter circle.
            const Point hinge = at(from, faces->left), leaf = at(from, faces->left + width);
            const Point closed = at(to, faces->left);
            const double radius = width * m_perUnit;
            figure.extent.add(leaf);
            body += "<path d=\"M " + mm(hinge.x) + " " + mm(hinge.y) + " L " + mm(leaf.x) + " " + mm(leaf.y) +
                    // From the open leaf back to the other jamb about the hinge: clockwise, in the
                    // model as on paper (whose flipped y keeps the turn as the eye sees it).
                    " A " + mm(radius) + " " + mm(radius) + " 0 0 1 " + mm(closed.x) + " " + mm(closed.y) +
                    "\" fill=\"none\" stroke=\"#202020\" stroke-width=\"0.2\"/>\n";
        }
        const HostCoord2D centre{wall.begin.x + ux * part.wallPosition,
                                 wall.begin.y + uy * part.wallPosition};
        figure.svg = open(element.head().typeCode == WindowTypeCode ? "window" : "door") +
                     title(element, centre, ", " + fixed(width, 3) + " wide") + body + "</g>\n";
        return figure;
    }

    std::optional<Figure> line(const StoredElement& element, const std::vector<HostCoord3D>& nodes) const {
        const Point from = paper(nodes[0].x, nodes[0].y), to = paper(nodes[1].x, nodes[1].y);
        if (!finite(from) || !finite(to)) return std::nullopt;
        Figure figure;
        figure.extent.add(from);
        figure.extent.add(to);
        figure.svg = open("line") + title(element, {nodes[0].x, nodes[0].y}) + "<line" +
                     attribute("x1", from.x) + attribute("y1", from.y) + attribute("x2", to.x) +
                     attribute("y2", to.y) + " stroke=\"#404040\" stroke-width=\"0.25\"/>\n</g>\n";
        return figure;
    }

    std::optional<Figure> marks(const StoredElement& element, const std::vector<HostCoord3D>& nodes) const {
        if (nodes.empty()) return std::nullopt;
        Figure figure;
        std::string path;
        for (const HostCoord3D& node : nodes) {
            const Point p = paper(node.x, node.y);
            if (!finite(p)) return std::nullopt;
            figure.extent.add(Point{p.x - MarkReach, p.y - MarkReach});
            figure.extent.add(Point{p.x + MarkReach, p.y + MarkReach});
            path += std::string(path.empty() ? "" : " ") + "M " + mm(p.x - MarkReach) + " " +
                    mm(p.y - MarkReach) + " L " + mm(p.x + MarkReach) + " " + mm(p.y + MarkReach) + " M " +
                    mm(p.x - MarkReach) + " " + mm(p.y + MarkReach) + " L " + mm(p.x + MarkReach) + " " +
                    mm(p.y - MarkReach);
        }
        figure.svg = open("mark") + title(element, {nodes[0].x, nodes[0].y}) + "<path d=\"" + path +
                     "\" stroke=\"#b03030\" stroke-width=\"0.25\"/>\n</g>\n";
        return figure;
    }

    std::string fontName(uint16_t index) const {
        const StoredAttribute* font = m_project.model.attributes.find(AttrFont, static_cast<int16_t>(index));
        return font != nullptr ? font->name() : std::string();
    }

    const Project& m_project;
    const ElementStore& m_elements; // the view's, where openings find their walls
    double m_perUnit;               // paper millimetres per model unit
};

// Light lines at a round model step no closer than LeastGridStep on paper, numbered along the
// frame's bottom and left edges; a number that would run into another, or into the corner where
// the two rows meet, is left out.
std::string grid(const Extent& frame, double perUnit) {
    if (!frame.finite()) return {};
    int exponent = static_cast<int>(std::ceil(std::log10(LeastGridStep / perUnit)));
    double step = std::pow(10.0, exponent) * perUnit;
    while ((frame.xMax - frame.xMin) / step > MostGridLines ||
           (frame.yMax - frame.yMin) / step > MostGridLines) {
        ++exponent;
        step *= 10.0;
    }
    const int decimals = std::max(0, -exponent);
    const double unit = std::pow(10.0, exponent);
    std::string lines, numbers;
    // The left column first, so that the bottom row knows how much of its start the column takes.
    const double bottomRowTop = frame.yMax - 0.8 - GridLabelSize - NumberGap;
    double columnRight = frame.xMin;
    for (double i = std::ceil(frame.yMin / step); i * step <= frame.yMax; ++i) {
        lines += "<line" + attribute("x1", frame.xMin) + attribute("y1", i * step) +
                 attribute("x2", frame.xMax) + attribute("y2", i * step) + "/>\n";
        const double baseline = i * step - 0.5;
        if (i * step - NumberRoom < frame.yMin || baseline > bottomRowTop) continue;
        const std::string text = fixed(-i * unit, decimals);
        columnRight = std::max(columnRight, frame.xMin + 0.5 + lineWidth(text, GridLabelSize));
        numbers +=
            "<text" + attribute("x", frame.xMin + 0.5) + attribute("y", baseline) + ">" + text + "</text>\n";
    }
    double lastRight = columnRight;
    for (double i = std::ceil(frame.xMin / step); i * step <= frame.xMax; ++i) {
        lines += "<line" + attribute("x1", i * step) + attribute("y1", frame.yMin) +
                 attribute("x2", i * step) + attribute("y2", frame.yMax) + "/>\n";
        const std::string text = fixed(i * unit, decimals);
        const double left = i * step + 0.5, right = left + lineWidth(text, GridLabelSize);
        if (i * step + NumberRoom > frame.xMax || right > frame.xMax || left < lastRight + NumberGap)
            continue;
        lastRight = right;
        numbers +=
            "<text" + attribute("x", left) + attribute("y", frame.yMax - 0.8) + ">" + text + "</text>\n";
    }
    return "<g class=\"grid\" stroke=\"#e6e6e6\" stroke-width=\"0.1\">\n" + lines + "</g>\n" +
           "<g class=\"grid-numbers\" fill=\"#a8a8a8\"" + attribute("font-size", GridLabelSize) + ">\n" +
           numbers + "</g>\n";
}

std::string scaleText(double scale) {
    char text[32];
    std::snprintf(text, sizeof text, "1:%g", scale);
    return text;
}

std::string captionOf(const ViewDatabase& view, const StoredStorey* storey) {
    if (view.kind == DatabasePlan && storey != nullptr)
        return std::to_string(storey->floorNumber) + ". " + storey->name + " (floor plan, " +
               scaleText(view.scale) + ")";
    std::string name = GS::Utf16ToUtf8(view.name);
    if (name.empty()) name = GS::Utf16ToUtf8(view.title);
    return name + " (" + ViewDatabases::kindName(view.kind) + ", " + scaleText(view.scale) + ")";
}
} // namespace

ViewPicture drawView(const Project& project, const ViewDatabase& view, const StoredStorey* storey) {
    const ElementStore& elements = project.model.views.elementsOf(view);
    const Painter painter(project, elements, view.scale);
    ViewPicture picture;
    std::vector<Figure> figures;
    std::vector<std::string> unplaced;
    Extent extent;
    for (const StoredElement* element : elements.inOrder()) {
        if (view.isPlanOrModel() && storey != nullptr && element->head().storey != storey->index) continue;
        std::optional<Figure> figure = painter.figureOf(*element);
        if (!figure) {
            ++picture.unplaced;
            unplaced.push_back(elementName(*element));
            continue;
        }
        ++picture.drawn;
        extent.add(figure->extent);
        figures.push_back(std::move(*figure));
    }
    if (extent.empty()) {
        extent.add(painter.paper(view.window.zoom.xMin, view.window.zoom.yMin));
        extent.add(painter.paper(view.window.zoom.xMax, view.window.zoom.yMax));
    }
    const Extent frame{extent.xMin - Margin, extent.yMin - Margin, extent.xMax + Margin,
                       extent.yMax + Margin};
    const double width = frame.xMax - frame.xMin;

    // The legend under the frame: how to read the figures, and what could not be drawn.
    std::vector<std::string> legend =
        wrapped("Walls at their thickness with their windows (glass in blue) and doors (leaf and swing); "
                "text blocks in their box, the text wrapped at its width; labels from a dot on their "
                "element along the leader to their text.",
                LegendFill * width, LegendSize, "");
    if (!unplaced.empty()) {
        std::string names;
        for (size_t i = 0; i < unplaced.size() && i < 10; ++i)
            names += (i == 0 ? "" : ", ") + unplaced[i];
        if (unplaced.size() > 10) names += " and " + std::to_string(unplaced.size() - 10) + " more";
        for (std::string& line :
             wrapped("Without a place: " + std::to_string(unplaced.size()) +
                         " element(s) of which the stand-in host knows no point, so they are not drawn: " +
                         names + ".",
                     LegendFill * width, LegendSize, ""))
            legend.push_back(std::move(line));
    }
    const double legendBand = LegendPitch * static_cast<double>(legend.size()) + 2.0;
    const double height = frame.yMax - frame.yMin + CaptionBand + legendBand;
    const double top = frame.yMin - CaptionBand;

    picture.caption = captionOf(view, storey);
    std::string caption = picture.caption;
    if (picture.unplaced != 0)
        caption += ", " + std::to_string(picture.unplaced) + " element(s) without a place";
    std::string& svg = picture.svg;
    svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
          mm(width) + "mm\" height=\"" + mm(height) + "mm\" viewBox=\"" + mm(frame.xMin) + " " + mm(top) +
          " " + mm(width) + " " + mm(height) + "\" font-family=\"sans-serif\">\n";
    svg += "<title>" + xmlText(caption) + "</title>\n";
    svg += "<rect" + attribute("x", frame.xMin) + attribute("y", top) + attribute("width", width) +
           attribute("height", height) + " fill=\"white\"/>\n";
    svg += grid(frame, painter.perUnit());
    svg += "<rect class=\"frame\"" + attribute("x", frame.xMin) + attribute("y", frame.yMin) +
           attribute("width", frame.xMax - frame.xMin) + attribute("height", frame.yMax - frame.yMin) +
           " fill=\"none\" stroke=\"#b8b8b8\" stroke-width=\"0.2\"/>\n";
    svg += "<text class=\"caption\"" + attribute("x", frame.xMin) + attribute("y", frame.yMin - 2.5) +
           attribute("font-size", CaptionSize) + " fill=\"#202020\">" + xmlText(caption) + "</text>\n";
    for (Layer layer : {Layer::Outline, Layer::Opening, Layer::Annotation})
        for (const Figure& figure : figures)
            if (figure.layer == layer) svg += figure.svg;
    svg += "<g class=\"legend\" fill=\"#505050\"" + attribute("font-size", LegendSize) + ">\n";
    for (size_t i = 0; i < legend.size(); ++i)
        svg += "<text" + attribute("x", frame.xMin) +
               attribute("y", frame.yMax + LegendPitch * static_cast<double>(i + 1)) + ">" +
               xmlText(legend[i]) + "</text>\n";
    svg += "</g>\n</svg>\n";
    return picture;
}

GSErrCode drawViewToFile(const Project* project, const ModelArgs& args, const std::string& path,
                         std::string* why, std::string* said) {
    if (project == nullptr) return *why = "no project is open", hosterr::NoProject;
    const ViewDatabases& views = project->model.views;
    const StoreyList& storeys = project->model.storeys;
    const ViewDatabase* view = &views.plan();
    if (args.flags.count("plan") == 0) {
        view = views.findNamed(args.texts[0]);
        if (view == nullptr) return *why = "there is no view " + inQuotes(args.texts[0]), hosterr::NotFound;
        if (view->kind == DatabaseModel)
            return *why = "the 3D model is not drawn on paper; draw plan instead", hosterr::BadParameter;
    }
    const StoredStorey* storey = nullptr;
    if (view->kind == DatabasePlan) {
        const bool named = args.flags.count("plan") != 0 && !args.texts.empty();
        storey = named ? storeys.findNamed(args.texts[0]) : storeys.find(storeys.current());
        if (storey == nullptr)
            return *why =
                       named ? "there is no storey " + inQuotes(args.texts[0]) : "there is no current storey",
                   hosterr::NotFound;
    }
    if (!(view->scale > 0.0) || !std::isfinite(1000.0 / view->scale))
        return *why = "the view's scale " + scaleText(view->scale) + " cannot be drawn",
               hosterr::BadParameter;
    const ViewPicture picture = drawView(*project, *view, storey);
    std::error_code error;
    if (const std::filesystem::path folder = std::filesystem::path(path).parent_path(); !folder.empty())
        std::filesystem::create_directories(folder, error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << picture.svg;
    out.close();
    if (!out) return *why = "the picture could not be written to " + inQuotes(path), hosterr::Failed;
    *said = picture.caption + " drawn: " + std::to_string(picture.drawn) + " element(s)" +
            (picture.unplaced != 0 ? ", " + std::to_string(picture.unplaced) + " without a place" : "");
    return hosterr::Ok;
}

} // namespace zavhost
