// What a long random session expects of the elements that carry user data: the product's
// annotations and the user's own notes. Each is noted with its bytes as last seen; after every move
// of the session the project must hold the same ones, changed only as the move allows (a clause
// updated, replaced, ignored or restored; elements deleted by the user, or with an element that
// links them; an undo bringing back what was noted before its step).
#pragma once

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "GuidKeys.h"
#include "PersistentMap.h"
#include "Project.h"
#include "platform/annotator/Clause.h"

namespace zavhost {

using SoakClauses = std::vector<zavannotator::Clause>;

// The user data of one element, and the annotation it holds when it reads as one.
struct NotedElement {
    uint32_t type = 0;
    std::string userData;
    std::string text; // a text block's or label's text
    std::optional<zavannotator::Clause> clause;

    bool ignored() const { return clause && clause->isAccepted == "true"; }
    bool operator==(const NotedElement& other) const {
        return type == other.type && userData == other.userData && text == other.text;
    }
};

// The bytes as an annotation: an XML document whose root "annotation" holds the clause's texts;
// none when they do not read so.
std::optional<zavannotator::Clause> readAnnotation(const std::string& bytes);
// The same clause as the specification gives it: its section, code, number, revision, titles and
// hidden number (not the marks a model adds: reassigned, ignored, the model's title).
bool sameClause(const zavannotator::Clause& a, const zavannotator::Clause& b);
// The first clause of the list whose text in that field is this one; null when none is.
const zavannotator::Clause* clauseIn(const SoakClauses& clauses, std::string zavannotator::Clause::*field,
                                     const std::string& text);
// One line for messages: "F10/110 rev A "Clay facing brickwork"".
std::string clauseText(const zavannotator::Clause& clause);

// What a move may do to the noted elements; by default nothing.
struct SoakAllowance {
    SoakClauses placed;                   // new annotations may show one of these
    SoakClauses replacedBy;               // annotations may come to show one of these
    std::vector<SoakClauses> updatedFrom; // their own clause as one of these lists gives it, or go
    bool mayIgnore = false;               // annotations may take the ignore mark, nothing else
    bool mayRestore = false;              // annotations may lose it, nothing else
    std::set<API_Guid, GuidLess> deleted; // elements the user deletes
    bool undo = false;                    // the last undo step is undone
};

class SoakLedger {
public:
    // Notes every element of the project that has user data; what came before is forgotten.
    void start(const Project& project);
    // After a move: the changes since the last call must be ones the move allows. Notes what the
    // project holds now. False with the reasons, one a line, when anything else changed.
    bool settle(const Project& project, const SoakAllowance& allowance, std::string* why);

    size_t size() const { return m_noted.size(); }
    // The annotations the last move made.
    size_t made() const { return m_made; }
    size_t annotations() const { return m_annotations; }
    size_t ignored() const { return m_ignored; }
    const NotedElement* find(const API_Guid& guid) const { return m_noted.get(guid); }

private:
    using Noted = PersistentMap<API_Guid, NotedElement, GuidLess>;

    void note(const API_Guid& guid, std::optional<NotedElement> element);
    std::string changeNotAllowed(const NotedElement& was, const NotedElement& is,
                                 const SoakAllowance& allowance) const;
    bool goneAllowed(const API_Guid& guid, const NotedElement& was, const SoakAllowance& allowance,
                     const std::set<API_Guid, GuidLess>& gone) const;

    Noted m_noted;
    // What was noted before each undo step of the project, the last step's last.
    std::deque<Noted> m_beforeSteps;
    uint64_t m_forgotten = 0; // the project's steps forgotten at its limit, as the last call found them
    ViewDatabases m_views;    // as the last call found them, sharing their elements with the project's
    ElementRelations m_relations;
    size_t m_annotations = 0;
    size_t m_ignored = 0;
    size_t m_made = 0;
};

} // namespace zavhost
