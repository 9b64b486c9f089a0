#include "presets/PresetDialogFilters.h"

#include <algorithm>
#include <vector>

#include "presets/PresetTemplates.h"

namespace tarnwick {

PresetTypeFilter::PresetTypeFilter(PopupMenu* typeMenu)
    : m_menu(typeMenu), m_displayNames(getTemplateDisplayNames()) {
    if (m_menu == nullptr) return;
    m_menu->setDimensions(0);
    if (m_displayNames.empty()) return;
    std::vector<String> names;
    names.reserve(m_displayNames.size());
    for (const auto& [type, display] : m_displayNames)
        names.push_back(display);
    std::sort(names.begin(), names.end());
    for (const String& name : names)
        m_menu->appendItem(name);
    const auto& [firstType, firstDisplay] = *m_displayNames.begin();
    (void)selectTemplate(firstType, true);
    (void)m_menu->selectText(firstDisplay, 0);
}

bool PresetTypeFilter::test(const Guid&, const PresetRecord* record) const {
    if (record == nullptr || m_menu == nullptr) return false;
    auto found = m_displayNames.find(record->getType());
    return found != m_displayNames.end() && m_menu->getSelectedText() == found->second;
}

} // namespace tarnwick
