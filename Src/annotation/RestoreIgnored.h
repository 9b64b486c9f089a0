// "Restore Ignored Clauses": every annotation the user chose to ignore becomes subject to Find and
// Update again, in one undoable step. The elements' user data is rewritten without the mark.
#pragma once

#include "Environment/Subscriber.h"
#include "Environment/Transaction.h"
#include "annotation/AnnotationList.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {
class Drawing;
}

namespace zavlink {

class RestoreTransaction : public tarnwick::Transaction {
public:
    static constexpr uint32_t NameItem = 5;          // of string list 32526: "Update Annotation"
    static constexpr uint32_t QuestionItem = 11;     // of string list 32523
    static constexpr uint32_t ProgressTitleItem = 3; // of string list 32520: "Update Annotation"
    static constexpr int16_t ProgressPhases = 3;
    static constexpr uint32_t NoneIgnoredItem = 10; // of string list 32522

    RestoreTransaction();

    // The user's consent and the ignored elements of the project; false, with no undo step, when
    // the user declines or nothing is ignored (told so).
    bool mayStart() override;
    // Rewrites the ignored elements without the mark; when the host takes none of them, the error
    // alert and no step.
    GSErrCode run() override;
    // Gives the view the user started in back to the host.
    void finished(bool success) override;

    // What the preparation kept: the annotations with ignored links, and only those links.
    const AnnotationList& getIgnored() const { return m_ignored; }

private:
    bool decline();

    tarnwick::Drawing* m_current = nullptr;
    AnnotationList m_ignored;
};

class RestoreIgnored : public tarnwick::Subscriber {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("RSIG")};

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override { types.push_back(Type); }
    // Handled whatever came of it.
    bool receive(tarnwick::Event& event) override;
};

} // namespace zavlink
