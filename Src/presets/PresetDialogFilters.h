// The record filters of the preset manager's pop-ups: by preset type (the type pop-up lists the
// registered templates by display name) and by record status ("All", "Current", "Deleted").
#pragma once

#include <map>

#include "interface/PopupMenu.h"
#include "presets/PresetDatabase.h"

namespace tarnwick {

class PresetTypeFilter : public PresetRecordFilter {
public:
    // Fills the pop-up with the display names in text order and makes the template of the first
    // type, in type order, the current one and the pop-up's choice.
    explicit PresetTypeFilter(PopupMenu* typeMenu);

    // A record of a type the registry does not list never passes.
    bool test(const Guid& id, const PresetRecord* record) const override;

private:
    PopupMenu* m_menu;
    std::map<String, String> m_displayNames; // type to display name
};

// By the status pop-up's choice, or by the stored status without one.
template <class Db> class UserDataStatusFilter : public Db::Filter {
public:
    using Record = typename Db::RecordPtr::element_type;

    explicit UserDataStatusFilter(const UserDataStatusMenu* statusMenu,
                                  int16_t status = UserDataStatusMenu::All)
        : m_menu(statusMenu), m_status(status) {}

    int16_t getStatus() const { return m_menu != nullptr ? m_menu->getStatus() : m_status; }
    bool accept(const Guid&, const Record& record) const override {
        int16_t status = getStatus();
        if (status == UserDataStatusMenu::Current) return !record.isDeleted();
        if (status == UserDataStatusMenu::Deleted) return record.isDeleted();
        return true;
    }

private:
    const UserDataStatusMenu* m_menu;
    int16_t m_status;
};

} // namespace tarnwick
