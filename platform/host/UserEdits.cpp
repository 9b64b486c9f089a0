// The user's own edits of the model, and what the module hears of them: the element observer's
// notifications while the edit runs, and the edit transformation.
#include <algorithm>
#include <unordered_map>

#include "DepthGuard.h"
#include "ElementSummary.h"
#include "ElementTypes.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"

namespace zavhost {

namespace {
using ElementIndex = std::unordered_map<API_Guid, const StoredElement*, GuidHash>;

ElementIndex indexOf(const ProjectModel& model) {
    ElementIndex index;
    for (const ViewDatabase& database : model.views.all())
        for (const StoredElement* element : database.elements.inOrder())
            index.emplace(element->guid(), element);
    return index;
}
} // namespace

const char* elementNotificationName(uint32_t kind) {
    switch (kind) {
    case ElementEventDataBegin:
        return "data-begin";
    case ElementEventNew:
        return "new";
    case ElementEventEdit:
        return "edit";
    case ElementEventDelete:
        return "delete";
    case ElementEventDataEnd:
        return "data-end";
    default:
        return "unknown";
    }
}

HostEditTransformation StandInHost::identityTransformation() {
    HostEditTransformation identity;
    identity.scale = 1.0;
    identity.matrix[0] = identity.matrix[4] = identity.matrix[8] = 1.0;
    return identity;
}

void StandInHost::setEditTransformation(const HostEditTransformation& transformation) {
    m_editTransformation = transformation;
}

GSErrCode StandInHost::getEditTransformation(HostEditTransformation* record) const {
    if (record == nullptr) return hosterr::BadParameter;
    if (m_editRun && !m_editRun->transformation) return hosterr::NotFound;
    *record = m_editRun ? *m_editRun->transformation : m_editTransformation;
    return hosterr::Ok;
}

GSErrCode StandInHost::userEdit(const std::string& name, const std::function<GSErrCode(Project&)>& edit) {
    return userEdit(name, edit, std::nullopt);
}

GSErrCode StandInHost::userEdit(const std::string& name, const std::function<GSErrCode(Project&)>& edit,
                                const std::optional<HostEditTransformation>& transformation) {
    m_lastError.clear();
    if (m_project == nullptr) return fail(hosterr::NoProject, "no project is open");
    ProjectModel before = m_project->model;
    GSErrCode err = edit(*m_project);
    if (err != hosterr::Ok) {
        m_project->model = std::move(before);
        return err;
    }
    auto kept = std::make_shared<const ProjectModel>(std::move(before));
    m_project->undoSteps.push_back({name, kept});
    m_transcript.note("the user's edit " + inQuotes(name) + " makes an undo step");
    // What the module changes while it hears the edit is part of the user's step, as in the host.
    m_editRun = EditRun{kept, transformation};
    const ElementSnapshot edited(m_project->model);
    {
        DepthGuard inside(m_commandDepth);
        notifyElementChanges(*kept, m_project->model);
    }
    m_editRun.reset();
    for (const std::string& change : edited.changesTo(m_project->model))
        m_transcript.note("the module, hearing the edit, " + change);
    return hosterr::Ok;
}

GSErrCode StandInHost::undo() {
    m_lastError.clear();
    if (m_project == nullptr) return fail(hosterr::NoProject, "no project is open");
    if (m_project->undoSteps.empty()) return fail(hosterr::Refused, "there is nothing to undo");
    UndoStep step = std::move(m_project->undoSteps.back());
    m_project->undoSteps.pop_back();
    m_project->model = *step.before;
    m_transcript.note("the user undoes " + inQuotes(step.name));
    return hosterr::Ok;
}

// New elements, then changed ones, then deleted ones, each in creation order, between data-begin
// and data-end; nothing at all when the edit changed no element.
void StandInHost::notifyElementChanges(const ProjectModel& before, const ProjectModel& after) {
    ElementIndex was = indexOf(before);
    ElementIndex is = indexOf(after);
    std::vector<std::pair<uint32_t, HostElementHead>> changes;
    for (const ViewDatabase& database : after.views.all())
        for (const StoredElement* element : database.elements.inOrder()) {
            auto old = was.find(element->guid());
            if (old == was.end())
                changes.push_back({ElementEventNew, element->head()});
            else if (old->second != element && !(*old->second == *element))
                changes.push_back({ElementEventEdit, element->head()});
        }
    std::stable_partition(changes.begin(), changes.end(),
                          [](const auto& change) { return change.first == ElementEventNew; });
    for (const ViewDatabase& database : before.views.all())
        for (const StoredElement* element : database.elements.inOrder())
            if (is.count(element->guid()) == 0) changes.push_back({ElementEventDelete, element->head()});
    if (changes.empty() || m_elementObserver == nullptr) return;
    notifyElement(ElementEventDataBegin, nullptr);
    for (const auto& [kind, head] : changes)
        notifyElement(kind, &head);
    notifyElement(ElementEventDataEnd, nullptr);
}

GSErrCode StandInHost::notifyElement(uint32_t kind, const HostElementHead* head) {
    if (m_elementObserver == nullptr) return hosterr::Ok;
    HostElementNotification notification;
    notification.kind = kind;
    if (head != nullptr) {
        notification.typeId = static_cast<int16_t>(head->typeCode);
        notification.variation = static_cast<int16_t>(head->variation);
        notification.guid = head->guid;
    }
    GSErrCode err;
    {
        DepthGuard inside(m_notificationDepth);
        err = m_elementObserver(&notification);
    }
    std::string about = head != nullptr ? " " + elementTypeName(head->typeCode) : std::string();
    m_transcript.note(std::string("element observer (") + elementNotificationName(kind) + about +
                      ") answers " + answerText(err));
    return err;
}

} // namespace zavhost
