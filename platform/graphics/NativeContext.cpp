#include "platform/graphics/NativeContext.h"

#include <cstdio>
#include <utility>

namespace NewDisplay {

DisplayArc DisplayArc::CreateFullCircle(float centreX, float centreY, float radius) {
    DisplayArc arc;
    arc.m_centreX = centreX;
    arc.m_centreY = centreY;
    arc.m_radius = radius;
    arc.m_sweepAngle = 6.28318530717958647692f;
    arc.m_full = true;
    return arc;
}

DisplayArc DisplayArc::CreateCircularArc(float centreX, float centreY, float radius, float startAngle,
                                         float sweepAngle) {
    DisplayArc arc;
    arc.m_centreX = centreX;
    arc.m_centreY = centreY;
    arc.m_radius = radius;
    arc.m_startAngle = startAngle;
    arc.m_sweepAngle = sweepAngle;
    return arc;
}

NativeContext::NativeContext() : m_drawing(std::make_shared<Drawing>()) {}

NativeContext::NativeContext(std::shared_ptr<Drawing> drawing)
    : m_drawing(drawing ? std::move(drawing) : std::make_shared<Drawing>()) {}

NativeContext::~NativeContext() = default;

std::string NativeContext::Describe(const Call& call) {
    std::string line = call.name;
    for (float value : call.arguments) {
        char number[32];
        std::snprintf(number, sizeof number, " %g", static_cast<double>(value));
        line += number;
    }
    if (!call.text.IsEmpty()) line += " \"" + call.text.ToCStr() + "\"";
    return line;
}

void NativeContext::record(const char* name, std::vector<float> arguments, const GS::UniString& text) {
    if (m_drawing->closed) {
        DrawnAfterClose(name);
        return;
    }
    m_drawing->calls.push_back(Call{name, std::move(arguments), text});
}

void NativeContext::SetForeColor(const Color& color) {
    m_foreColor = color;
    record("SetForeColor", {color.red, color.green, color.blue, color.alpha});
}

void NativeContext::SetLineWidth(float width) {
    m_lineWidth = width;
    record("SetLineWidth", {width});
}

void NativeContext::MoveTo(float x, float y) {
    record("MoveTo", {x, y});
}

void NativeContext::LineTo(float x, float y) {
    record("LineTo", {x, y});
}

void NativeContext::ArcTo(const DisplayArc& arc) {
    record(arc.IsFullCircle() ? "ArcTo full" : "ArcTo",
           {arc.GetCentreX(), arc.GetCentreY(), arc.GetRadius(), arc.GetStartAngle(), arc.GetSweepAngle()});
}

void NativeContext::BeginPolygon(bool fillEffect) {
    record("BeginPolygon", {fillEffect ? 1.0f : 0.0f});
}

void NativeContext::EndPolygon() {
    record("EndPolygon", {});
}

void NativeContext::DrawPlainText(const GS::UniString& text, const TE::Font& font, float x, float y,
                                  float angle) {
    record("DrawPlainText", {static_cast<float>(font.GetSize()), x, y, angle}, text);
}

} // namespace NewDisplay
