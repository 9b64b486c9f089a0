#include "SoakLedger.h"

#include <algorithm>
#include <cstddef>
#include <map>

#include "CallLog.h"
#include "ElementSummary.h"
#include "LabelParts.h"
#include "ModelCalls.h"
#include "TextBlocks.h"
#include "platform/annotator/Xml.h"

namespace zavhost {

using zavannotator::Clause;

namespace {

// The texts that name a clause as the specification gives it.
constexpr std::string Clause::*identityFields[] = {
    &Clause::section,
    &Clause::code,
    &Clause::number,
    &Clause::revision,
    &Clause::zavTitle,
    &Clause::hiddenNumber,
    &Clause::originalDisplayTitle,
};

std::optional<NotedElement> noteOf(const StoredElement& element) {
    if (!element.userData) return std::nullopt;
    NotedElement noted;
    noted.type = element.head().typeCode;
    noted.userData = element.userData->bytes;
    noted.text = textOf(element.memo);
    noted.clause = readAnnotation(noted.userData);
    return noted;
}

std::string describe(const API_Guid& guid, const NotedElement& noted) {
    std::string what = noted.clause ? "the annotation " + clauseText(*noted.clause) : "the user data";
    return what + " of element " + model::guidText(guid);
}

bool sameButIgnoreMark(const Clause& a, const Clause& b) {
    return sameClause(a, b) && a.hasBeenReassigned == b.hasBeenReassigned;
}

bool shows(const SoakClauses& clauses, const Clause& clause) {
    for (const Clause& each : clauses)
        if (sameClause(each, clause)) return true;
    return false;
}

// Every element of every database, where two versions of the project differ: before and after
// each, by Guid.
void differences(const ViewDatabases& before, const ViewDatabases& after,
                 std::map<API_Guid, const StoredElement*, GuidLess>& was,
                 std::map<API_Guid, const StoredElement*, GuidLess>& is) {
    static const ElementStore empty;
    auto storeIn = [](const ViewDatabases& views, const ViewDatabase& database) -> const ElementStore& {
        const ViewDatabase* same = views.find(views.keyOf(database));
        return same != nullptr && same->kind == database.kind ? same->elements : empty;
    };
    auto report = [&](const StoredElement* a, const StoredElement* b) {
        if (a != nullptr) was[a->guid()] = a;
        if (b != nullptr) is[b->guid()] = b;
    };
    // The 3D model shows the floor plan's elements and keeps none of its own.
    for (const ViewDatabase& database : after.all())
        if (database.kind != DatabaseModel)
            ElementStore::differences(storeIn(before, database), database.elements, report);
    for (const ViewDatabase& database : before.all())
        if (database.kind != DatabaseModel && after.find(before.keyOf(database)) == nullptr)
            ElementStore::differences(database.elements, empty, report);
}

// Why an annotation's element does not show its clause's title, or nothing. An element without a
// text of its own (a label showing its element's) shows none.
std::string titleProblem(const NotedElement& noted) {
    if (!noted.clause || noted.text.empty()) return {};
    const Clause& clause = *noted.clause;
    if (noted.text == clause.originalDisplayTitle || noted.text == clause.modelDisplayTitle) return {};
    return "its text is " + inQuotes(noted.text) + ", not its clause's title " +
           inQuotes(clause.originalDisplayTitle);
}

} // namespace

std::optional<Clause> readAnnotation(const std::string& bytes) {
    zavannotator::XmlDocument document;
    std::string why;
    if (!zavannotator::parseXml(bytes, document, &why) || !document.hasRoot ||
        document.root.name != "annotation")
        return std::nullopt;
    Clause clause;
    for (const zavannotator::XmlElement& child : document.root.children) {
        std::string Clause::*field = zavannotator::clauseField(child.name);
        if (field == nullptr || !child.children.empty()) return std::nullopt;
        clause.*field = zavannotator::trimmed(child.text);
    }
    if (clause.number.empty() && clause.hiddenNumber.empty()) return std::nullopt;
    return clause;
}

const Clause* clauseIn(const SoakClauses& clauses, std::string Clause::*field, const std::string& text) {
    for (const Clause& clause : clauses)
        if (clause.*field == text) return &clause;
    return nullptr;
}

bool sameClause(const Clause& a, const Clause& b) {
    for (std::string Clause::*field : identityFields)
        if (a.*field != b.*field) return false;
    return true;
}

std::string clauseText(const Clause& clause) {
    std::string text =
        clause.number + " rev " + clause.revision + " " + inQuotes(clause.originalDisplayTitle);
    if (clause.isAccepted == "true") text += " (ignored)";
    return text;
}

void SoakLedger::note(const API_Guid& guid, std::optional<NotedElement> element) {
    if (const NotedElement* was = m_noted.get(guid)) {
        m_annotations -= was->clause ? 1 : 0;
        m_ignored -= was->ignored() ? 1 : 0;
        m_noted.erase(guid);
    }
    if (!element) return;
    m_annotations += element->clause ? 1 : 0;
    m_ignored += element->ignored() ? 1 : 0;
    m_noted.insert(guid, std::move(*element));
}

void SoakLedger::start(const Project& project) {
    m_noted.clear();
    m_annotations = m_ignored = 0;
    m_beforeSteps.assign(project.undoSteps.size(), Noted());
    m_forgotten = project.undoStepsForgotten;
    for (const ViewDatabase& database : project.model.views.all())
        if (database.kind != DatabaseModel)
            for (const StoredElement* element : database.elements.inOrder())
                note(element->guid(), noteOf(*element));
    m_views = project.model.views;
    m_relations = project.model.relations;
}

std::string SoakLedger::changeNotAllowed(const NotedElement& was, const NotedElement& is,
                                         const SoakAllowance& allowance) const {
    if (!was.clause) return "the user's own data was rewritten";
    if (!is.clause) return "it no longer reads as an annotation";
    const Clause& before = *was.clause;
    const Clause& after = *is.clause;
    if (allowance.mayIgnore && sameButIgnoreMark(before, after) && is.ignored()) return {};
    if (allowance.mayRestore && sameButIgnoreMark(before, after) && !is.ignored()) return {};
    if (shows(allowance.replacedBy, after) && !is.ignored()) return {};
    for (const SoakClauses& list : allowance.updatedFrom) {
        const Clause* now = clauseIn(list, &Clause::hiddenNumber, before.hiddenNumber);
        // An annotation the user chose to ignore is left as it is.
        if (now != nullptr && sameClause(*now, after) && !is.ignored() && !was.ignored()) return {};
    }
    if (sameClause(before, after) && was.ignored() == is.ignored() &&
        before.hasBeenReassigned == after.hasBeenReassigned && was.text == is.text)
        return {}; // written again as it was (the model's own title aside)
    return "nothing the user did makes it show " + clauseText(after);
}

bool SoakLedger::goneAllowed(const API_Guid& guid, const NotedElement& was, const SoakAllowance& allowance,
                             const std::set<API_Guid, GuidLess>& gone) const {
    if (allowance.deleted.count(guid) != 0) return true;
    // A label that shows no annotation is never the product's to delete.
    if (!was.clause) return false;
    // Labels go with the element they label, in the user's own step.
    for (const API_Guid& owner : m_relations.links.elementsNaming(guid))
        if (gone.count(owner) != 0) return true;
    if (was.ignored()) return false;
    for (const SoakClauses& list : allowance.updatedFrom)
        if (clauseIn(list, &Clause::hiddenNumber, was.clause->hiddenNumber) == nullptr) return true;
    return false;
}

bool SoakLedger::settle(const Project& project, const SoakAllowance& allowance, std::string* why) {
    std::vector<std::string> problems;
    const Noted before = m_noted;
    m_made = 0;
    std::map<API_Guid, const StoredElement*, GuidLess> was, is;
    differences(m_views, project.model.views, was, is);
    std::set<API_Guid, GuidLess> gone;
    for (const auto& [guid, element] : was)
        if (is.count(guid) == 0) gone.insert(guid);

    for (const API_Guid& guid : gone) {
        const NotedElement* noted = before.get(guid);
        if (noted == nullptr) continue;
        if (!allowance.undo && !goneAllowed(guid, *noted, allowance, gone))
            problems.push_back(describe(guid, *noted) + " is gone, and nothing the user did takes it away");
        note(guid, std::nullopt);
    }
    for (const auto& [guid, element] : is) {
        std::optional<NotedElement> now = noteOf(*element);
        const NotedElement* noted = before.get(guid);
        if (!allowance.undo) {
            if (noted != nullptr && !now) {
                problems.push_back(describe(guid, *noted) + " is gone from its element");
            } else if (noted == nullptr && now) {
                m_made += now->clause ? 1 : 0;
                if (!now->clause)
                    problems.push_back(
                        "element " + model::guidText(guid) +
                        " came with user data that is no annotation: " + shortUserData(now->userData));
                else if (!shows(allowance.placed, *now->clause))
                    problems.push_back("a new annotation shows " + clauseText(*now->clause) +
                                       ", not the clause the user picked");
            } else if (noted != nullptr && !(*noted == *now)) {
                std::string wrong = changeNotAllowed(*noted, *now, allowance);
                if (!wrong.empty())
                    problems.push_back(describe(guid, *noted) + " changed to " +
                                       shortUserData(now->userData) + ": " + wrong);
            }
        }
        if (now && (noted == nullptr || !(*noted == *now)))
            if (std::string wrong = titleProblem(*now); !wrong.empty())
                problems.push_back(describe(guid, *now) + ": " + wrong);
        note(guid, std::move(now));
    }

    // The labels of what the user deletes (and of the windows that go with her walls) go with it,
    // in her step. Labels of a label the product deleted are its own affair.
    for (const API_Guid& guid : gone) {
        if (allowance.deleted.count(guid) == 0 && allowance.deleted.count(holderOf(*was.at(guid))) == 0)
            continue;
        for (const API_Guid& linked : m_relations.links.othersOf(guid)) {
            const NotedElement* label = m_noted.get(linked);
            if (label != nullptr && label->clause && label->type == LabelTypeCode)
                problems.push_back(describe(linked, *label) + " stays, though the element " +
                                   model::guidText(guid) + " it labels is gone");
        }
    }

    // Undo steps: what was noted before each; an undone step must bring exactly that back. Steps
    // the host forgot at its limit take their notes with them, the oldest first (a project opened
    // afresh has forgotten none).
    const uint64_t forgotten =
        project.undoStepsForgotten >= m_forgotten ? project.undoStepsForgotten - m_forgotten : 0;
    m_forgotten = project.undoStepsForgotten;
    m_beforeSteps.erase(m_beforeSteps.begin(),
                        m_beforeSteps.begin() +
                            static_cast<std::ptrdiff_t>(std::min<uint64_t>(forgotten, m_beforeSteps.size())));
    const size_t steps = project.undoSteps.size();
    if (allowance.undo) {
        if (m_beforeSteps.empty() || steps + 1 != m_beforeSteps.size()) {
            problems.push_back("undo did not take away one undo step (" + std::to_string(steps) +
                               " left of " + std::to_string(m_beforeSteps.size()) + ")");
        } else {
            Noted::differences(
                m_beforeSteps.back(), m_noted,
                [&](const API_Guid& guid, const NotedElement* wanted, const NotedElement* found) {
                    if (wanted == nullptr)
                        problems.push_back("after undo, " + describe(guid, *found) + " is still there");
                    else if (found == nullptr)
                        problems.push_back("undo did not bring back " + describe(guid, *wanted));
                    else
                        problems.push_back("after undo, " + describe(guid, *found) + " holds " +
                                           shortUserData(found->userData) + ", not " +
                                           shortUserData(wanted->userData));
                },
                [](const NotedElement& a, const NotedElement& b) { return a == b; });
        }
    }
    if (steps < m_beforeSteps.size()) {
        m_beforeSteps.resize(steps); // undone, or the project opened afresh
    } else if (steps == m_beforeSteps.size() + 1) {
        m_beforeSteps.push_back(before);
    } else if (steps > m_beforeSteps.size()) {
        problems.push_back("one action left " + std::to_string(steps - m_beforeSteps.size()) + " undo steps");
        m_beforeSteps.resize(steps, before);
    }

    m_views = project.model.views;
    m_relations = project.model.relations;
    if (problems.empty()) return true;
    why->clear();
    for (const std::string& problem : problems)
        *why += (why->empty() ? "" : "\n") + problem;
    return false;
}

} // namespace zavhost
