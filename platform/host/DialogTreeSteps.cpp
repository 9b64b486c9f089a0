// The user at a tree view: items named by the texts of their path ("Group A/Leaf 1"), clicked,
// double-clicked, expanded and collapsed; and the check of a tree's items as the user sees them,
// one line an item in the order of the tree, expanded or not.
#include "CallLog.h"
#include "DialogSteps.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/DGPanelState.h"
#include "platform/dg/DGTreeState.h"

namespace zavhost {

namespace {

DG::TreeState* treeOf(DG::Panel& panel, short item, std::string* why) {
    DG::ItemState* state = panel.State().item(item);
    DG::TreeState* tree = state != nullptr ? DG::TreeOf(*state) : nullptr;
    if (tree == nullptr)
        *why = "item " + std::to_string(item) + " of " + DG::Desk::Describe(panel) + " is not a tree view";
    return tree;
}

// "/" separates the levels; "//" stands for a slash in an item's text.
std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> texts(1);
    for (size_t at = 0; at < path.size(); ++at) {
        if (path[at] != '/') {
            texts.back() += path[at];
        } else if (at + 1 < path.size() && path[at + 1] == '/') {
            texts.back() += '/';
            ++at;
        } else {
            texts.emplace_back();
        }
    }
    return texts;
}

// An item's path as a step names it: its texts from the top down, a slash in a text doubled.
std::string pathOf(const DG::TreeState& tree, int32_t item) {
    std::string path;
    for (int32_t at = item; at != DG::TreeRootItem && at != DG::TreeNoItem; at = tree.Find(at)->parent) {
        std::string text;
        for (char c : std::string(tree.Find(at)->text.ToCStr()))
            text += c == '/' ? std::string("//") : std::string(1, c);
        path = path.empty() ? text : text + "/" + path;
    }
    return path;
}

// Why a path names no item: the items there are, and, when the path holds a single slash and
// some item's text holds one, how to write a slash inside a text.
std::string noItemWhy(const DG::TreeState& tree, const std::string& path) {
    bool loneSlash = false;
    for (size_t at = 0; at < path.size(); ++at) {
        if (path[at] != '/') continue;
        if (at + 1 < path.size() && path[at + 1] == '/')
            ++at;
        else
            loneSlash = true;
    }
    std::vector<std::string> paths;
    bool slashInText = false;
    for (int32_t at = tree.NextInOrder(DG::TreeRootItem); at != DG::TreeNoItem; at = tree.NextInOrder(at)) {
        paths.push_back(pathOf(tree, at));
        slashInText = slashInText || std::string(tree.Find(at)->text.ToCStr()).find('/') != std::string::npos;
    }
    std::string why;
    if (loneSlash && slashInText)
        why += " (\"/\" separates the levels; a slash inside an item's text is written \"//\")";
    if (paths.empty()) return why + "; it holds no items";
    why += "; its items are";
    for (const std::string& itemPath : paths)
        why += " " + inQuotes(itemPath);
    return why;
}

// "  Leaf 1 +*": two spaces a level, then " +" when expanded, " *" when selected, and the text's
// colour as " #rrggbb" when it is not black.
std::string treeLine(const DG::TreeState& tree, int32_t item) {
    const DG::TreeState::Node& node = *tree.Find(item);
    std::string line(static_cast<size_t>(2 * tree.Depth(item)), ' ');
    line += node.text.ToCStr();
    if (node.expanded) line += " +";
    if (node.selected) line += " *";
    if (node.red != 0 || node.green != 0 || node.blue != 0) {
        char colour[9];
        std::snprintf(colour, sizeof colour, " #%02x%02x%02x", node.red >> 8, node.green >> 8,
                      node.blue >> 8);
        line += colour;
    }
    return line;
}

} // namespace

bool performTreeStep(DG::Panel& panel, const Step& step, short modifiers, std::string* why) {
    auto item = static_cast<short>(*step.number);
    DG::TreeState* tree = treeOf(panel, item, why);
    if (tree == nullptr) return false;
    int32_t treeItem = tree->FindPath(splitPath(*step.text2));
    if (treeItem == DG::TreeNoItem) {
        *why = "item " + std::to_string(item) + " of " + DG::Desk::Describe(panel) + " has no tree item " +
               inQuotes(*step.text2) + noItemWhy(*tree, *step.text2);
        return false;
    }
    DG::Desk& desk = DG::Desk::Get();
    const std::string& verb = step.model.verb;
    if (verb == "double-click") return desk.DoubleClickTreeItem(panel, item, treeItem, modifiers, why);
    if (verb == "expand" || verb == "collapse")
        return desk.ExpandTreeItem(panel, item, treeItem, verb == "expand", modifiers, why);
    return desk.ClickTreeItem(panel, item, treeItem, modifiers, why);
}

std::vector<std::string> treeLines(DG::Panel& panel, short item) {
    std::vector<std::string> lines;
    DG::ItemState* state = panel.State().item(item);
    const DG::TreeState* tree = state != nullptr ? DG::TreeOf(*state) : nullptr;
    if (tree == nullptr) return lines;
    for (int32_t at = tree->NextInOrder(DG::TreeRootItem); at != DG::TreeNoItem; at = tree->NextInOrder(at))
        lines.push_back(treeLine(*tree, at));
    return lines;
}

bool checkTree(DG::Panel& panel, const Step& step, std::string* why) {
    auto item = static_cast<short>(*step.number);
    const std::set<std::string>& flags = step.model.flags;
    if (!flags.count("tree") && !flags.count("drawing-on")) return true;
    DG::TreeState* tree = treeOf(panel, item, why);
    if (tree == nullptr) return false;
    std::string what = "item " + std::to_string(item) + " of " + DG::Desk::Describe(panel);
    if (flags.count("drawing-on") && tree->drawDisabled != 0) {
        *why = "drawing of " + what + " is off: " + std::to_string(tree->drawDisabled) +
               " DisableDraw not balanced";
        return false;
    }
    if (!flags.count("tree")) return true;
    const std::vector<std::string> lines = treeLines(panel, item);
    if (lines == step.model.texts) return true;
    *why = what + " holds";
    for (const std::string& line : lines)
        *why += " " + inQuotes(line);
    if (lines.empty()) *why += " no tree items";
    return false;
}

} // namespace zavhost
