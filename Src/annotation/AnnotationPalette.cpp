#include "annotation/AnnotationPalette.h"

#include <algorithm>
#include <string>

#include "Environment/Addon.h"
#include "Environment/DataFile.h"
#include "Environment/EditManager.h"
#include "Environment/Host.h"
#include "annotation/AnnotationList.h"
#include "annotation/PaletteAction.h"
#include "annotation/PlaceAnnotation.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkAddon.h"
#include "elements/Element.h"
#include "geometry/Cube.h"
#include "interface/Controls.h"
#include "platform/api/HostFunctionTable.h"
#include "project/Alert.h"
#include "project/Drawing.h"
#include "project/ElementLinkList.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/Storey.h"

namespace zavlink {

using namespace tarnwick;

namespace {

// The one palette, whoever owns it; its destructor clears it.
AnnotationPalette* instance = nullptr;
// The palette while no add-on's tool list has taken it.
std::unique_ptr<AnnotationPalette> unclaimed;

constexpr uint32_t ViewWarningItem = 3;
constexpr FailureTexts SelectingTexts{SelectingLacksCallItem, SelectingFailedCallItem};
constexpr FailureTexts ViewNameTexts{ViewNameLacksCallItem, ViewNameFailedCallItem};
// Status texts: the floor plan's place of a storey without a name.
constexpr uint32_t StoreyWordItem = 6;

bool isOutdated(const AnnotationLink& link) {
    return link.getStatus() == StatusChanged || link.getStatus() == StatusDeleted;
}

String projectTitle() {
    Project* project = Host::hasProject() ? Host::getProject() : nullptr;
    if (project == nullptr) return String();
    if (std::unique_ptr<DataFile> file = project->getFile()) return file->getName();
    return project->getName();
}

} // namespace

AnnotationPalette* AnnotationPalette::getInstance() {
    if (instance == nullptr) {
        // The constructor is private: make_unique cannot reach it.
        unclaimed = std::unique_ptr<AnnotationPalette>(new AnnotationPalette());
        instance = unclaimed.get();
    }
    return instance;
}

AnnotationPalette* AnnotationPalette::findInstance() {
    return instance;
}

std::unique_ptr<AnnotationPalette> AnnotationPalette::takeInstance() {
    getInstance();
    if (unclaimed) {
        // A palette made while there was no add-on does not hear this one's project resets yet.
        Addon* addon = getAddon();
        if (addon != nullptr && !addon->hasSubscriber(&unclaimed->m_dataReset))
            addon->addSubscriber(&unclaimed->m_dataReset);
    }
    return std::move(unclaimed);
}

void AnnotationPalette::releaseInstance() {
    unclaimed.reset();
}

AnnotationPalette::AnnotationPalette() : Dialog(ResourceId, false) {
    if (Addon* addon = getAddon()) addon->addSubscriber(&m_dataReset);
}

AnnotationPalette::~AnnotationPalette() {
    if (Addon* addon = getAddon()) addon->remove(&m_dataReset);
    if (instance == this) instance = nullptr;
}

void AnnotationPalette::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({fourCC("ZAVL"), 0});
}

Button* AnnotationPalette::button(Item item) const {
    return findControlAs<Button>(item);
}

void AnnotationPalette::initialise() {
    auto makeButton = [this](Item item, ButtonAction& action) {
        DialogControl::make<Button>(ControlLink(item, this))->add(&action);
    };
    makeButton(ViewItem, m_zoomAnnotation);
    makeButton(UpdateItem, m_updateAnnotation);
    makeButton(ReplaceItem, m_replaceAnnotation);
    makeButton(IgnoreItem, m_ignoreAnnotation);
    makeButton(CloseItem, m_closeAction);
    DialogControl::make<TreeViewControl>(ControlLink(TreeItem, this))->add(&m_changeSelection);
    add(&m_resize);
    // Every open starts from the list as it is now.
    fillTree();
    for (Item item : {ViewItem, ReplaceItem, IgnoreItem})
        button(item)->setEnabled(false);
}

void AnnotationPalette::opened() {
    setMinimumSize(ScreenPoint(MinimumWidth, MinimumHeight), 0);
}

void AnnotationPalette::showList(std::unique_ptr<AnnotationList> list, PaletteMode mode) {
    m_list = std::move(list);
    m_mode = mode;
    fillTree();
}

String AnnotationPalette::nodeText(const Annotation& annotation) const {
    String text = annotation.originalDisplayTitle;
    const uint32_t status = annotation.getStatus();
    if (status != StatusCurrent) text += String(" (") + getStatusText(status) + ")";
    return text;
}

String AnnotationPalette::drawingText(const DatabaseRef& key, Drawing& drawing, size_t count,
                                      HostFailure& nameFailure) const {
    String place;
    if (key.getKind() == DatabasePlan) {
        if (const Storey* storey = key.getStorey()) {
            place = storey->getName();
            if (place.isEmpty())
                place = Host::getResourceString(AnnotationStatusTexts, StoreyWordItem) + " " +
                        std::to_string(storey->getIndex()).c_str();
        }
    } else {
        const HostFailureWatch reading;
        place = drawing.getTitle();
        if (nameFailure.serial == 0) nameFailure = reading.last();
    }
    return drawing.getTypeName() + " : " + place + " [" + std::to_string(count).c_str() + "]";
}

void AnnotationPalette::fillTree() {
    TreeViewControl* tree = getTree();
    if (tree == nullptr) return;
    const bool attentionOnly = m_mode == PaletteMode::NeedingAttention;
    tree->setDrawEnabled(false);
    tree->clear();
    TreeViewControl::iterator root = tree->begin();
    HostFailure nameFailure;
    if (root != tree->end()) {
        root->setText(projectTitle());
        Project* project = Host::hasProject() ? Host::getProject() : nullptr;
        if (m_list && project != nullptr && (!attentionOnly || m_list->needsUpdate)) {
            uint64_t position = 0;
            for (Annotation& annotation : *m_list) {
                ++position;
                if (attentionOnly && !annotation.needsUpdate()) continue;
                TreeViewControl::iterator node = root->appendChild();
                node->setText(nodeText(annotation));
                node->setUserData(position);
                uint64_t group = 0;
                for (auto& [key, links] : annotation.links) {
                    ++group;
                    const size_t count =
                        attentionOnly
                            ? static_cast<size_t>(std::count_if(links.begin(), links.end(),
                                                                [](const AnnotationLink& link) {
                                                                    return link.getStatus() != StatusCurrent;
                                                                }))
                            : links.size();
                    if (count == 0) continue;
                    Drawing* drawing = project->getDrawing(key);
                    if (drawing == nullptr) continue;
                    TreeViewControl::iterator child = node->appendChild();
                    child->setText(drawingText(key, *drawing, count, nameFailure));
                    child->setUserData(group);
                }
            }
        }
        root->setExpanded(true);
    }
    tree->setDrawEnabled(true);
    tree->redraw();
    // The former selection went with the nodes: buttons that act on a selection follow.
    selectionChanged();
    // The list stands; a blank where a view's name belongs is explained once a fill.
    (void)tellHostFailure(nameFailure, ViewNameTexts, true);
}

std::optional<PaletteEntry>
AnnotationPalette::resolveNode(AnnotationList* list, const TreeViewControl::Node& node, bool requireDrawing) {
    if (list == nullptr || node.isEnd()) return std::nullopt;
    TreeViewControl::iterator parent = node.getParent();
    if (parent.isEnd()) return std::nullopt; // the root
    const bool isDrawing = !parent->getParent().isEnd();
    if (!isDrawing && requireDrawing) return std::nullopt;
    const uint64_t annotationValue = isDrawing ? parent->getUserData() : node.getUserData();
    if (annotationValue == 0 || annotationValue > list->size()) return std::nullopt;
    PaletteEntry entry;
    entry.annotationIndex = static_cast<size_t>(annotationValue - 1);
    entry.annotation = &(*list)[entry.annotationIndex];
    if (!isDrawing) return entry;
    const uint64_t groupValue = node.getUserData();
    if (groupValue == 0 || groupValue > entry.annotation->links.size()) return std::nullopt;
    entry.groupIndex = static_cast<size_t>(groupValue - 1);
    auto group = std::next(entry.annotation->links.begin(), static_cast<std::ptrdiff_t>(entry.groupIndex));
    entry.drawing = &group->first;
    entry.links = &group->second;
    return entry;
}

void AnnotationPalette::selectionChanged() {
    TreeViewControl* tree = getTree();
    if (tree == nullptr) return;
    bool anyBelowRoot = false;
    bool anyDrawing = false;
    for (auto at = tree->begin(TreeViewControl::Selection); at != tree->end(); ++at) {
        if (!at->getParent().isEnd()) anyBelowRoot = true;
        if (resolveNode(m_list.get(), *at, true)) anyDrawing = true;
    }
    if (Button* replace = button(ReplaceItem)) replace->setEnabled(anyBelowRoot);
    if (Button* ignore = button(IgnoreItem)) ignore->setEnabled(anyBelowRoot);
    if (Button* view = button(ViewItem)) view->setEnabled(anyDrawing);
}

void AnnotationPalette::zoomToAnnotation() {
    TreeViewControl* tree = getTree();
    if (!m_list || tree == nullptr) return;
    std::optional<PaletteEntry> entry;
    for (auto at = tree->begin(TreeViewControl::Selection); at != tree->end() && !entry; ++at)
        entry = resolveNode(m_list.get(), *at, true);
    if (!entry) {
        WarnAlert().show(Host::getResourceString(QuestionTexts, ViewWarningItem));
        return;
    }
    // What the click unlocks to reach the elements is locked again at its end; layers it had to
    // show stay shown, or the user would be taken to elements that cannot be seen.
    EditManager edits(true, true);
    Drawing* target = nullptr;
    Cube box;
    ElementLinkList selection;
    for (const AnnotationLink& link : *entry->links) {
        if (m_mode == PaletteMode::NeedingAttention && !isOutdated(link)) continue;
        Drawing* drawing = link.getDrawing();
        if (drawing == nullptr) continue;
        if (auto* plan = dynamic_cast<Plan*>(drawing))
            if (const Storey* storey = entry->drawing->getStorey())
                (void)plan->setCurrentStorey(*storey, false);
        std::unique_ptr<Element> element = drawing->get(link);
        if (!element) continue;
        (void)edits.makeEditable(*element, true, true, false);
        if (std::unique_ptr<Cube> bounds = element->getBounds(true)) {
            if (selection.empty())
                box = *bounds;
            else
                box.merge(*bounds);
        }
        selection.push_back(std::make_unique<ElementLink>(link));
        target = drawing;
    }
    if (target != nullptr) {
        if (Project* project = Host::getProject()) {
            (void)project->setCurrentDatabase(target);
            (void)project->setFrontWindow(target);
        }
        target->clearSelection();
        box.inflate(0.5);
        target->zoom(box);
        // Setting the selection clears it again first: only its own answer says whether the
        // annotations ended up selected.
        const HostFailureWatch selecting;
        const bool selected = target->setSelection(selection);
        target->rebuild();
        // The view is shown either way; a selection that did not happen is said.
        if (!selected && !tellHostFailure(selecting.last(), SelectingTexts, false)) (void)reportFailedStep();
    }
    edits.relockElements();
}

void AnnotationPalette::runAction(uint32_t kind, uint32_t nameItem) {
    TreeViewControl* tree = getTree();
    if (tree == nullptr) return;
    PaletteAction action(kind, *tree, m_list.get(), m_mode,
                         Host::getResourceString(TransactionNames, nameItem));
    (void)Host::runTransaction(action);
}

void AnnotationPalette::updateAnnotations() {
    runAction(PaletteAction::Update, PaletteAction::UpdateNameItem);
}

void AnnotationPalette::replaceAnnotations() {
    runAction(PaletteAction::Replace, PaletteAction::ReplaceNameItem);
}

void AnnotationPalette::ignoreAnnotations() {
    runAction(PaletteAction::Ignore, PaletteAction::IgnoreNameItem);
}

void AnnotationPalette::closePalette() {
    hide();
}

ScreenPoint AnnotationPalette::snapSize(const ScreenPoint& size) {
    const int16_t width = std::min<int16_t>(size.getX(), MaximumWidth);
    int height = size.getY();
    if (height >= FrameHeight) {
        height = FrameHeight + RowHeight * ((height - FrameHeight) / RowHeight);
        // Whole rows never take the palette below its minimum: the host would undo that.
        if (height < MinimumHeight) height += RowHeight;
    }
    return ScreenPoint(width, static_cast<int16_t>(height));
}

void AnnotationPalette::resized() {
    TreeViewControl* tree = getTree();
    Button* view = button(ViewItem);
    if (tree == nullptr || view == nullptr) return;
    ScreenPoint size = getClientSize(0);
    const ScreenPoint snapped = snapSize(size);
    if (snapped.getX() != size.getX() || snapped.getY() != size.getY()) {
        // Resizes again, and that resize finds nothing left to correct.
        setSize(ScreenPoint(snapped.getX(), snapped.getY(), 0), 1);
        size = getClientSize(0);
    }
    tree->grow(ScreenPoint(static_cast<int16_t>(size.getX() - FrameWidth),
                           static_cast<int16_t>(size.getY() - FrameHeight)));
    const int16_t offset = static_cast<int16_t>(size.getY() - view->getPosition().getY() - ButtonRowHeight);
    if (offset == 0) return;
    for (Item item : {ViewItem, UpdateItem, ReplaceItem, IgnoreItem, CloseItem})
        if (Button* each = button(item)) each->moveBy(ScreenPoint(0, offset));
}

void AnnotationPalette::reset() {
    if (m_list) m_list->reset();
    fillTree();
    if (isVisible()) hide();
}

bool AnnotationPalette::ResizePalette::handleResize(ResizeEvent& event) {
    // The notification that carries the new size; the start and end of a drag change nothing.
    if (event.getPhase() == 0) m_palette.resized();
    return false;
}

bool AnnotationPalette::ButtonAction::handleAction(ActionEvent& event) {
    event.reply(std::make_shared<ItemMessage>(0));
    (m_palette.*m_handler)();
    return true;
}

bool AnnotationPalette::ChangeSelection::handleItem(ItemEvent&) {
    m_palette.selectionChanged();
    return false;
}

bool AnnotationPalette::DataReset::handleProjectEvent(ProjectEvent& event) {
    switch (event.getNotification()) {
    case ProjectNew:
    case ProjectNewAndReset:
    case ProjectOpen:
    case ProjectClose:
    case ProjectQuit:
    case ProjectChangeWorkspace:
    case static_cast<uint32_t>(ProjectEvent::PackagesLoaded):
    case static_cast<uint32_t>(ProjectEvent::PackagesChanged):
        m_palette.reset();
        break;
    default:
        break;
    }
    return false;
}

} // namespace zavlink
