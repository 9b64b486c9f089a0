// The host's native drawing context, on which module previews are painted, with the arcs it
// draws. This stand-in paints no pixels: it keeps every call with its arguments as the context
// received them (32-bit floats), so that what was drawn can be read back call by call.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/api/HostTypes.h"
#include "platform/graphics/TEFont.h"
#include "platform/gsroot/UniString.h"

namespace NewDisplay {

// Components in 0..1; alpha 1 is opaque.
struct Color {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;
};

// A circular arc in context coordinates (y pointing down); angles in radians.
class HOSTLIB_API DisplayArc {
public:
    static DisplayArc CreateFullCircle(float centreX, float centreY, float radius);
    static DisplayArc CreateCircularArc(float centreX, float centreY, float radius, float startAngle,
                                        float sweepAngle);

    float GetCentreX() const { return m_centreX; }
    float GetCentreY() const { return m_centreY; }
    float GetRadius() const { return m_radius; }
    float GetStartAngle() const { return m_startAngle; }
    float GetSweepAngle() const { return m_sweepAngle; }
    bool IsFullCircle() const { return m_full; }

private:
    float m_centreX = 0.0f;
    float m_centreY = 0.0f;
    float m_radius = 0.0f;
    float m_startAngle = 0.0f;
    float m_sweepAngle = 0.0f;
    bool m_full = false;
};

class HOSTLIB_API NativeContext {
public:
    // One call as received: its name, its numbers in argument order (a colour as its four
    // components, an arc as centre x and y, radius, start and sweep, a flag as 0 or 1, a font as
    // its size) and the text of a text call.
    struct Call {
        std::string name;
        std::vector<float> arguments;
        GS::UniString text;
    };
    // Where the calls go: a context's own list, or a surface of the host (a user item being
    // drawn) that the host closes when the drawing must end; a closed one takes no more calls.
    struct Drawing {
        std::vector<Call> calls;
        bool closed = false;
    };

    NativeContext();
    NativeContext(const NativeContext&) = delete;
    NativeContext& operator=(const NativeContext&) = delete;
    virtual ~NativeContext();

    // "MoveTo 10 20", "DrawPlainText 10 5 8 0 \"Hi\"": the name, each number as %g, the text quoted.
    static std::string Describe(const Call& call);

    void SetForeColor(const Color& color);
    void SetLineWidth(float width);
    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void ArcTo(const DisplayArc& arc);
    void BeginPolygon(bool fillEffect);
    void EndPolygon();
    void DrawPlainText(const GS::UniString& text, const TE::Font& font, float x, float y, float angle);

    const Color& GetForeColor() const { return m_foreColor; }
    float GetLineWidth() const { return m_lineWidth; }

    const std::vector<Call>& GetCalls() const { return m_drawing->calls; }
    void ClearCalls() { m_drawing->calls.clear(); }

protected:
    // Draws into the given surface; none gives the context a list of its own.
    explicit NativeContext(std::shared_ptr<Drawing> drawing);
    // Told of each call that a closed surface did not take.
    virtual void DrawnAfterClose(const char* /*call*/) {}

private:
    void record(const char* name, std::vector<float> arguments, const GS::UniString& text = {});

    Color m_foreColor;
    float m_lineWidth = 1.0f;
    std::shared_ptr<Drawing> m_drawing;
};

} // namespace NewDisplay
