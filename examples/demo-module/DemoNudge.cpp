#include "DemoNudge.h"

#include <cstdint>
#include <memory>

#include "Environment/Host.h"
#include "Environment/NumberText.h"
#include "Environment/Transaction.h"
#include "elements/Element.h"
#include "geometry/CadPoint.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/Drawing.h"
#include "project/ElementLinkList.h"

#include "DemoEdits.h"

namespace demo {

using namespace tarnwick;

namespace {

class NudgeSelection : public Transaction {
public:
    explicit NudgeSelection(const ElementLinkList& selection)
        : Transaction(text(141)), m_selection(selection.clone()) {}

    GSErrCode run() override {
        Drawing* drawing = Host::getCurrentDatabase();
        if (drawing == nullptr) return hosterr::NoProject;
        const CadPoint offset(1.0, 1.0, 0.0);
        for (const ElementLink* link : *m_selection) {
            std::unique_ptr<Element> element = drawing->getElement(*link, nullptr);
            // A class that cannot move all its coordinates moves none, and the host refuses to
            // change a locked element: either stays whole and is counted.
            if (element && element->moveBy(offset) && drawing->saveElement(*element, false, true))
                ++moved;
            else
                ++skipped;
        }
        return hosterr::Ok;
    }

    int64_t moved = 0;
    int64_t skipped = 0;

private:
    // A copy: saving may have the drawing read its selection again.
    std::unique_ptr<ElementLinkList> m_selection;
};

} // namespace

void nudgeSelection() {
    Drawing* drawing = Host::getCurrentDatabase();
    ElementLinkList* selection = drawing != nullptr ? drawing->getSelection() : nullptr;
    if (selection == nullptr || selection->size() == 0) {
        NotifyAlert().show(text(143));
        return;
    }
    NudgeSelection nudge(*selection);
    if (!Host::runTransaction(nudge)) {
        NotifyAlert().show(text(144));
        return;
    }
    String said = text(142);
    said.replaceAll(String("$1"), String(intToText(nudge.moved)));
    said.replaceAll(String("$2"), String(intToText(nudge.skipped)));
    NotifyAlert().show(said);
}

} // namespace demo
