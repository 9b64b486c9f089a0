// What the palette's Update, Replace and Ignore buttons do: one undoable step over the drawings
// chosen in the palette's tree, asked first unless the project's preferences say not to.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "Environment/Transaction.h"
#include "annotation/Annotation.h"
#include "annotation/PaletteMode.h"
#include "interface/TreeViewControl.h"

namespace tarnwick {
class Drawing;
}

namespace zavlink {

class AnnotationList;
class ZAVLinkPrefs;

class PaletteAction : public tarnwick::Transaction {
public:
    enum Kind : uint32_t { Update = 0, Replace = 1, Ignore = 2 };
    enum Scope : uint32_t { Selected = 0, All = 1 };
    // The step's names: items of string list 32526.
    static constexpr uint32_t IgnoreNameItem = 3;  // "Ignore Changes"
    static constexpr uint32_t ReplaceNameItem = 4; // "Replace Annotation"
    static constexpr uint32_t UpdateNameItem = 5;  // "Update Annotation"
    static constexpr uint32_t FailureItem = 10;    // of list 32523

    PaletteAction(uint32_t kind, tarnwick::TreeViewControl& tree, AnnotationList* list, PaletteMode mode,
                  const tarnwick::String& name);

    // The preferences, the replacement clause (Replace), the nodes, and the question.
    bool mayStart() override;
    // Each element is rewritten whole (title and clause) or left as it was; the others go on, and
    // one warning tells of those left. Cancelled when no element changed; Failed, with the palette
    // as it was, when an element could be neither finished nor put back, so that the host undoes
    // the whole step.
    GSErrCode run() override;

    // The drawing nodes the action works on, in tree order; answers whether there is any.
    bool chooseNodes(Scope scope);
    // All when nothing is selected or the first selected node is the root.
    Scope getScope() const;
    // The question of the kind and scope (an item of list 32523), and its flag in the preferences.
    static uint16_t questionItem(uint32_t kind, Scope scope);
    static bool& warnedFlag(ZAVLinkPrefs& prefs, uint32_t kind, Scope scope);

    // One element of a chosen drawing; false when it could not be changed. Update leaves an element
    // that no longer shows the listed clause, or shows it ignored, as it is (and answers true).
    bool updateLink(AnnotationLink& link, tarnwick::Drawing& drawing, const tarnwick::String& text,
                    const tarnwick::MemoryBlock* xml, const Annotation* listed = nullptr);
    bool ignoreLink(AnnotationLink& link, tarnwick::Drawing& drawing);

    const std::vector<tarnwick::TreeViewControl::iterator>& getChosenNodes() const { return m_chosen; }
    const Annotation& getReplacement() const { return m_replacement; }

private:
    // Text and user data of a text block or label set anew, within the step; false leaves the
    // element as it was (or marks the step half-written).
    bool rewrite(tarnwick::Element& element, tarnwick::Drawing& drawing, const tarnwick::String& text,
                 const tarnwick::MemoryBlock& xml);
    // The entry's new status, the former one kept in case the step is undone.
    void setStatus(AnnotationLink& link, uint32_t status);

    uint32_t m_kind;
    tarnwick::TreeViewControl& m_tree;
    AnnotationList* m_list;
    PaletteMode m_mode;
    Annotation m_replacement;
    std::vector<tarnwick::TreeViewControl::iterator> m_chosen;
    // Of the run: the elements changed, an element left with a new title over its old clause,
    // and the entries' former statuses.
    size_t m_changed = 0;
    bool m_halfWritten = false;
    std::vector<std::pair<AnnotationLink*, uint32_t>> m_formerStatuses;
};

} // namespace zavlink
