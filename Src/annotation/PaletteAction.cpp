#include "annotation/PaletteAction.h"

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "Environment/MemoryBlock.h"
#include "annotation/ActionQueryDialog.h"
#include "annotation/AnnotationList.h"
#include "annotation/AnnotationPalette.h"
#include "annotation/Request.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ZAVLinkPrefs.h"
#include "elements/Element.h"
#include "elements/text/StyledString.h"
#include "elements/text/TextMemo.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/Colour.h"
#include "project/Drawing.h"

namespace zavlink {

using namespace tarnwick;

namespace {

bool isOutdated(const AnnotationLink& link) {
    return link.getStatus() == StatusChanged || link.getStatus() == StatusDeleted;
}

// The list may be older than the element: an undo since may have brought back another clause or
// the user's ignore mark, and what she made wins over what the palette lists.
bool showsListed(Element& element, const Annotation& listed) {
    Annotation shown;
    return shown.readFromElement(element) && !shown.isAccepted && shown.hiddenNumber == listed.hiddenNumber;
}

} // namespace

PaletteAction::PaletteAction(uint32_t kind, TreeViewControl& tree, AnnotationList* list, PaletteMode mode,
                             const String& name)
    : Transaction(name, true, true), m_kind(kind), m_tree(tree), m_list(list), m_mode(mode) {}

uint16_t PaletteAction::questionItem(uint32_t kind, Scope scope) {
    return static_cast<uint16_t>(4 + 2 * kind + (scope == All ? 1 : 0));
}

bool& PaletteAction::warnedFlag(ZAVLinkPrefs& prefs, uint32_t kind, Scope scope) {
    switch (kind) {
    case Update:
        return scope == All ? prefs.isUpdateAllWarned : prefs.isUpdateSelectedWarned;
    case Replace:
        return scope == All ? prefs.isReplaceAllWarned : prefs.isReplaceSelectedWarned;
    default:
        return scope == All ? prefs.isAcceptAllWarned : prefs.isAcceptSelectedWarned;
    }
}

PaletteAction::Scope PaletteAction::getScope() const {
    TreeViewControl::iterator first = m_tree.begin(TreeViewControl::Selection);
    if (first == m_tree.end() || first->getParent().isEnd()) return All;
    return Selected;
}

bool PaletteAction::chooseNodes(Scope scope) {
    m_chosen.clear();
    TreeViewControl::iterator root = m_tree.begin();
    if (root == m_tree.end()) return false;
    for (auto annotation = root->beginChildren(), stop = root->endChildren(); annotation != stop;
         ++annotation) {
        const bool whole = scope == All || annotation->isSelected();
        for (auto drawing = annotation->beginChildren(), last = annotation->endChildren(); drawing != last;
             ++drawing)
            if (whole || drawing->isSelected()) m_chosen.push_back(drawing);
    }
    return !m_chosen.empty();
}

bool PaletteAction::mayStart() {
    ZAVLinkPrefs* prefs = projectPrefs();
    if (prefs == nullptr || m_list == nullptr) return false;
    if (m_kind == Replace && !requestAnnotation(m_replacement)) return false;
    const Scope scope = getScope();
    if (!chooseNodes(scope)) return false;
    bool& warned = warnedFlag(*prefs, m_kind, scope);
    if (!warned) return true;
    ActionQueryDialog question(questionItem(m_kind, scope));
    if (question.open() != Dialog::Accepted) return false;
    if (question.isDontAsk()) {
        warned = false;
        if (Addon* addon = getAddon()) (void)addon->savePackages(0);
    }
    return true;
}

GSErrCode PaletteAction::run() {
    bool anyFailed = false;
    m_changed = 0;
    m_halfWritten = false;
    m_formerStatuses.clear();
    std::vector<TreeViewControl::iterator> finished;
    {
        const ShipIsAccepted ship(m_kind == Ignore);
        for (TreeViewControl::iterator& node : m_chosen) {
            std::optional<PaletteEntry> entry = AnnotationPalette::resolveNode(m_list, *node, true);
            if (!entry) continue;
            String text;
            std::unique_ptr<MemoryBlock> xml;
            if (m_kind != Ignore) {
                Annotation& shown = m_kind == Replace ? m_replacement : *entry->annotation;
                text = shown.originalDisplayTitle;
                xml = shown.writeToBlock(false);
            }
            bool failed = m_kind != Ignore && !xml;
            Drawing* drawing = nullptr;
            for (AnnotationLink& link : *entry->links) {
                if ((m_kind == Update || m_mode == PaletteMode::NeedingAttention) && !isOutdated(link))
                    continue;
                if (drawing == nullptr) drawing = link.getDrawing();
                if (drawing == nullptr) {
                    failed = true;
                    continue;
                }
                const bool done = m_kind == Ignore
                                      ? ignoreLink(link, *drawing)
                                      : updateLink(link, *drawing, text, xml.get(), entry->annotation);
                if (!done) failed = true;
            }
            if (!failed) finished.push_back(node);
            anyFailed = anyFailed || failed;
        }
    }
    if (anyFailed) WarnAlert().show(Host::getResourceString(QuestionTexts, FailureItem));
    getEditManager().restore(false);
    if (m_halfWritten) {
        // The host undoes the whole step: the palette must not show what no longer stands.
        for (auto former = m_formerStatuses.rbegin(); former != m_formerStatuses.rend(); ++former)
            former->first->setStatus(former->second);
        return hosterr::Failed;
    }
    for (TreeViewControl::iterator& node : finished)
        node->setColour(Colour(0.7, 0.7, 0.7, 1.0));
    return m_changed > 0 ? hosterr::Ok : hosterr::Cancelled;
}

void PaletteAction::setStatus(AnnotationLink& link, uint32_t status) {
    m_formerStatuses.emplace_back(&link, link.getStatus());
    link.setStatus(status);
    ++m_changed;
}

bool PaletteAction::rewrite(Element& element, Drawing& drawing, const String& text, const MemoryBlock& xml) {
    auto* memo = dynamic_cast<TextMemo*>(&element);
    if (memo == nullptr) return false;
    if (getEditManager().makeEditable(element, true, true, false) != 1) return false;
    const StyledString before = memo->getText();
    memo->setText(StyledString(text), true);
    if (!drawing.saveElement(element, false, true)) return false;
    if (element.storeUserData(xml, 0, false, AnnotationUserDataFlags)) return true;
    // The new title must not stand over the old clause: the text goes back as it was, or, when
    // the host will not have that either, the whole step is undone.
    memo->setText(before, false);
    if (!drawing.saveElement(element, false, true)) m_halfWritten = true;
    return false;
}

bool PaletteAction::updateLink(AnnotationLink& link, Drawing& drawing, const String& text,
                               const MemoryBlock* xml, const Annotation* listed) {
    std::unique_ptr<Element> element = drawing.get(link);
    if (!element) return false;
    if (m_kind == Update && listed != nullptr && !showsListed(*element, *listed)) return true;
    if (m_kind == Update && link.getStatus() == StatusDeleted) {
        if (getEditManager().makeEditable(*element, true, true, false) != 1) return false;
        if (!drawing.deleteElement(link)) return false;
        setStatus(link, StatusCurrent);
        return true;
    }
    if (xml == nullptr || !rewrite(*element, drawing, text, *xml)) return false;
    // A replaced element shows another clause now: no later action of this list may take it for
    // an outdated copy of the listed one (an Update would put the old clause back, or delete it).
    setStatus(link, StatusCurrent);
    return true;
}

bool PaletteAction::ignoreLink(AnnotationLink& link, Drawing& drawing) {
    std::unique_ptr<Element> element = drawing.get(link);
    if (!element) return false;
    if (getEditManager().makeEditable(*element, true, true, false) != 1) return false;
    Annotation shown;
    if (!shown.readFromElement(*element)) return false;
    shown.isAccepted = true;
    std::unique_ptr<MemoryBlock> xml = shown.writeToBlock(true);
    if (!xml || !element->storeUserData(*xml, 0, false, AnnotationUserDataFlags)) return false;
    // So that a later Update in the same palette does not take the mark away again.
    setStatus(link, StatusIgnored);
    return true;
}

} // namespace zavlink
