// What a new text block or label needs to show an annotation, the text block made from it, and the
// rectangle drawn while the user sets the text's bounds.
#pragma once

#include <memory>

#include "Environment/MemoryBlock.h"
#include "Environment/String.h"
#include "elements/input/PathCompanions.h"
#include "geometry/CadPoint.h"

namespace tarnwick {
class Drawing;
class Storey;
} // namespace tarnwick

namespace zavlink {

class Annotation;

// A drawing scale the host cannot give (0, negative, not a number) is taken as 1:100, so a box is
// never sized by a division by zero.
inline constexpr double FallbackScale = 100.0;
double usableScale(double scale);

struct AnnotationPlacement {
    static constexpr double LabelRun = 1.2;
    // A layout is drawn at 1:50 of the model's sizes.
    static constexpr double LayoutLabelRun = LabelRun / 50.0;

    tarnwick::String text;
    double labelWidth = 0.0; // measured by the label tool when it first needs it
    double labelRun = LabelRun;
    // The annotation as stored in an element's user data; xmlSize 0 when it could not be written.
    tarnwick::MemoryBlock xml;
    uint32_t xmlSize = 0;
    tarnwick::Drawing* drawing = nullptr;
    bool labelLayerChecked = false;
    bool textLayerChecked = false;
    // A host call failed while an element was made (not the user refusing a layer): what was
    // made may be half-written, and the step must not stay.
    bool failed = false;
};

// The floor plan's current storey, which a new annotation takes in any view: the drawing's when
// it is the plan, else the project's plan's; null without either.
tarnwick::Storey* currentPlanStorey(tarnwick::Drawing& drawing);

// The placement of the annotation in the drawing; its XML never carries the accepted mark.
std::unique_ptr<AnnotationPlacement> buildAnnotationMemo(Annotation& annotation, tarnwick::Drawing& drawing);

// A new text block of the placement's text in the box of the two points (its anchor's corner),
// sized on paper at the drawing's scale, on the plan's current storey whatever the view, with the
// annotation as its user data. Nothing is made when the default text's layer cannot take it; a
// host failure sets the placement's failed mark (the text may then stand without its user data).
bool createAnnotationText(AnnotationPlacement& placement, const tarnwick::CadPoint& first,
                          const tarnwick::CadPoint& second);

// The rectangle from the first click to the cursor.
class RubberBounder : public tarnwick::RubberBander {
public:
    // The path's last point is the reference; before the path has one, the remembered point.
    void drawFeedback(const tarnwick::UserPath& path, const tarnwick::PolyPoint& candidate,
                      const tarnwick::PolyPoint* last, uint8_t flag) override;
    // Remembers the reference when told to, then draws the rectangle up to the cursor.
    void draw(const tarnwick::PolyPoint& cursor, const tarnwick::PolyPoint& reference, bool takeReference);
    const tarnwick::PolyPoint& getReference() const { return m_reference; }

private:
    tarnwick::PolyPoint m_reference;
};

} // namespace zavlink
