// "Label Element": the user picks a clause in the ZAV Annotator, and one undoable step labels every
// selected element with it, or, with nothing selected, makes one free label at a clicked point.
// Each label shows the clause's title, keeps the annotation in its user data and is linked from
// its element. The tool also keeps those labels with their elements when the user edits them.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "Environment/Subscriber.h"
#include "Environment/Transaction.h"
#include "Environment/Transformation.h"
#include "annotation/Annotation.h"
#include "annotation/PlaceAnnotation.h"
#include "project/ElementLinkList.h"

namespace tarnwick {
class Addon;
class CadPoint;
class Drawing;
class Element;
} // namespace tarnwick

namespace zavlink {

struct AnnotationPlacement;

class LabelTransaction : public tarnwick::Transaction {
public:
    static constexpr uint32_t NameItem = 2;     // "Annotate Element"
    static constexpr uint32_t OriginPrompt = 3; // "Click to select the label origin"

    LabelTransaction();

    // The readiness check and the clause; false leaves nothing behind, not even an undo step, and
    // says which host call stood in the way when one did.
    bool mayStart() override;
    // The labels of the clause (placeAnnotationLabels); the host keeps no step unless one was made.
    GSErrCode run() override;
    // Gives the view the user started in back to the host.
    void finished(bool success) override;

    const Annotation& getAnnotation() const { return m_annotation; }

private:
    bool prepare();

    tarnwick::Drawing* m_target = nullptr;
    Annotation m_annotation;
};

// The labels of one command in the placement's drawing: one per selected element, else one at a
// click. Ok when one was made; Cancelled when none was (a cancelled click, refused layers); on a
// host failure, a selected element the host would not hand out, or a placement without its
// clause's XML, the error alert and Failed, so that the host keeps nothing of the step.
GSErrCode placeAnnotationLabels(AnnotationPlacement& placement);

// A new label of the placement's text pointing at the point, on the element's storey (else the
// current plan storey), with the annotation as its user data; linked from the element, which is
// switched on, when one is given. Nothing is made when the default label's layer cannot take it;
// the next label asks again. A host failure sets the placement's failed mark (the label may then
// stand half-made).
bool createAnnotationLabel(AnnotationPlacement& placement, const tarnwick::CadPoint& point,
                           tarnwick::Element* element);

class PlaceLabel : public tarnwick::Subscriber {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("LABE")};

    // The subscribers that hear the user's edits (LabelUpkeep.h).
    class BeginEdit;
    class EditLogger;
    class DeleteLogger;
    class EndEdit;

    // The elements edited under one transformation.
    struct EditGroup {
        std::unique_ptr<tarnwick::Transformation> transformation;
        std::shared_ptr<tarnwick::ElementLinkList> links;
    };
    using EditLog = std::vector<EditGroup>;

    // Makes the four edit subscribers and subscribes them to the add-on.
    PlaceLabel();
    // Unsubscribes them before they go: the add-on owns none of them.
    ~PlaceLabel() override;
    PlaceLabel(const PlaceLabel&) = delete;
    PlaceLabel& operator=(const PlaceLabel&) = delete;

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override;
    // Handled whatever came of it.
    bool receive(tarnwick::Event& event) override;

    // --- What the edit subscribers do (LabelUpkeep.cpp). Each answers true.
    // A new edit run: both logs go.
    bool beginRun();
    // The element was edited under the host's current edit transformation; an edit the host
    // reports no transformation for (or the identity) moves nothing and is not logged.
    bool logEdit(const tarnwick::ElementLink& link);
    bool logDelete(const tarnwick::ElementLink& link);
    // The labels of the edited elements (and of a wall's openings) follow them, those of the
    // deleted ones go; each label at most once, and only labels that carry an annotation.
    bool endRun();

    const EditLog* getEditLog() const { return m_editLog.get(); }
    const tarnwick::ElementLinkList* getDeleteLog() const { return m_deleteLog.get(); }

private:
    // Runs while the product changes the model itself, or while the upkeep does, are not the user's.
    bool isOwnChange() const;
    void processEdits();
    void processDeletes();
    // A wall's windows and doors, whose labels move with it.
    static void collectOpenings(tarnwick::Drawing& drawing, const tarnwick::ElementLink& element,
                                tarnwick::ElementLinkList& openings);

    std::array<tarnwick::Subscriber*, 4> subscribers() const;

    // The add-on the edit subscribers are subscribed to, which outlives this tool.
    tarnwick::Addon* m_addon;
    std::unique_ptr<BeginEdit> m_begin;
    std::unique_ptr<EditLogger> m_edits;
    std::unique_ptr<DeleteLogger> m_deletes;
    std::unique_ptr<EndEdit> m_end;
    std::unique_ptr<EditLog> m_editLog;
    std::unique_ptr<tarnwick::ElementLinkList> m_deleteLog;
    bool m_processing = false;
};

} // namespace zavlink
