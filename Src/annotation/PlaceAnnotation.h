// "Place Annotation": the user picks a clause in the ZAV Annotator, clicks the text's origin and
// then its bounds, and one undoable step makes a text block that shows the clause's title and
// keeps the whole annotation in its user data.
#pragma once

#include "Environment/Subscriber.h"
#include "Environment/Transaction.h"
#include "annotation/Annotation.h"
#include "elements/input/UserPath.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {
class Drawing;
}

namespace zavlink {

// String lists: the names of the product's undo steps, and the prompts of its clicks.
inline constexpr uint32_t TransactionNames = 32526;
inline constexpr uint32_t ClickPrompts = 32522;

class AnnotationTransaction : public tarnwick::Transaction {
public:
    static constexpr uint32_t NameItem = 1;     // "Place Annotation"
    static constexpr uint32_t OriginPrompt = 4; // "Click to select the text origin"
    static constexpr uint32_t BoundsPrompt = 5; // "Click to set the text bounds"

    AnnotationTransaction();

    // The readiness check, the clause and both clicks; false leaves nothing behind, not even an
    // undo step, and says which host call stood in the way when one did.
    bool mayStart() override;
    // The text block with its clause, or nothing: a layer the user would not make usable answers
    // Cancelled, a host failure shows the error alert and answers Failed; either way the host
    // keeps no step.
    GSErrCode run() override;
    // Gives the view the user started in back to the host.
    void finished(bool success) override;

    const Annotation& getAnnotation() const { return m_annotation; }
    const tarnwick::UserPath& getClicks() const { return m_clicks; }

private:
    bool prepare();

    tarnwick::Drawing* m_target = nullptr;
    Annotation m_annotation;
    tarnwick::UserPath m_clicks;
};

class PlaceAnnotation : public tarnwick::Subscriber {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("PLCA")};

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override { types.push_back(Type); }
    // Handled whatever came of it.
    bool receive(tarnwick::Event& event) override;
};

} // namespace zavlink
