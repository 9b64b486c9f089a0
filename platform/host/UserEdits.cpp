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
// The elements of `from`'s databases that the same database of `to` does not share, in database
// order and each database's order: those that may be new, changed or gone.
std::vector<const StoredElement*> unshared(const ProjectModel& from, const ProjectModel& to) {
    static const ElementStore none;
    std::vector<const StoredElement*> found;
    for (const ViewDatabase& database : from.views.all()) {
        const ViewDatabase* other = to.views.find(from.views.keyOf(database));
        ElementStore::differences(other != nullptr ? other->elements : none, database.elements,
                                  [&found](const StoredElement*, const StoredElement* mine) {
                                      if (mine != nullptr) found.push_back(mine);
                                  });
    }
    return found;
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
    // The copy shares all it holds with the project until the edit changes it.
    auto kept = std::make_shared<const ProjectModel>(m_project->model);
    GSErrCode err = edit(*m_project);
    if (err != hosterr::Ok) {
        m_project->model = *kept;
        return err;
    }
    m_project->undoSteps.push_back({name, kept});
    m_project->forgetOldUndoSteps();
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
// and data-end; nothing at all when the edit changed no element. Only the elements the two
// versions do not share are looked at.
void StandInHost::notifyElementChanges(const ProjectModel& before, const ProjectModel& after) {
    std::vector<std::pair<uint32_t, HostElementHead>> changes;
    for (const StoredElement* element : unshared(after, before)) {
        const StoredElement* old = before.views.findElement(element->guid());
        if (old == nullptr)
            changes.push_back({ElementEventNew, element->head()});
        else if (old != element && !(*old == *element))
            changes.push_back({ElementEventEdit, element->head()});
    }
    std::stable_partition(changes.begin(), changes.end(),
                          [](const auto& change) { return change.first == ElementEventNew; });
    for (const StoredElement* element : unshared(before, after))
        if (after.views.findElement(element->guid()) == nullptr)
            changes.push_back({ElementEventDelete, element->head()});
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
