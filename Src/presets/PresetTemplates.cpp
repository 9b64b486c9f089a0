#include "presets/PresetTemplates.h"

#include <unordered_map>

#include "Environment/Addon.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetEditor.h"

namespace tarnwick {

namespace {

struct Template {
    std::unique_ptr<PresetRecord> record;
    uint32_t kind = 0;
};

struct Registry {
    // Made by the first registration, gone when the database closes.
    std::unique_ptr<std::map<String, Template>> templates;
    String current; // empty: the first template
    std::map<String, String> displayNames;
    std::unordered_map<String, String> legacyNames;
    std::unique_ptr<PresetEditor> editor;
    std::unique_ptr<PresetUpdater> updater;

    const Template* find(const String& type) const {
        if (!templates) return nullptr;
        auto it = templates->find(type);
        return it == templates->end() ? nullptr : &it->second;
    }
    const Template* currentTemplate() const {
        if (!templates || templates->empty()) return nullptr;
        const Template* chosen = current.isEmpty() ? nullptr : find(current);
        return chosen ? chosen : &templates->begin()->second;
    }
};

Registry& registry() {
    static Registry theRegistry;
    return theRegistry;
}

std::unique_ptr<PresetRecord> cloneOf(const Template* entry, uint32_t* kind) {
    if (entry == nullptr) return nullptr;
    if (kind != nullptr) *kind = entry->kind;
    return entry->record->clone();
}

} // namespace

void registerPresetTemplate(std::unique_ptr<PresetRecord> record, const String& displayName,
                            const String& legacyName, uint32_t kind) {
    if (!record || displayName.isEmpty()) return;
    Registry& r = registry();
    if (!r.templates) r.templates = std::make_unique<std::map<String, Template>>();
    String type = record->getType();
    if (r.templates->count(type) != 0) return;
    r.templates->emplace(type, Template{std::move(record), kind});
    r.displayNames[type] = displayName;
    if (!legacyName.isEmpty()) r.legacyNames[legacyName] = type;

    Addon* addon = getAddon();
    if (addon == nullptr || addon->isPackageRegistered(PresetDatabase::Code, 0)) return;
    PresetDatabase database;
    addon->registerPackage(database, 0);
    if (r.editor) return;
    r.editor = std::make_unique<PresetEditor>();
    r.updater = std::make_unique<PresetUpdater>();
    addon->addSubscriber(r.editor.get());
    addon->addSubscriber(r.updater.get());
    // Registered after the add-on started listening: they start on their own.
    if (addon->getPhase() == Addon::Phase::Initialized) {
        (void)r.editor->initialize();
        (void)r.updater->initialize();
    }
}

uint32_t getTemplateKind(const String& type) {
    const Registry& r = registry();
    if (!r.templates || r.templates->empty()) return 0;
    if (type.isEmpty()) return r.templates->begin()->second.kind;
    const Template* entry = r.find(type);
    return entry ? entry->kind : 0;
}

std::unique_ptr<PresetRecord> makeFromTemplate(const String& type, uint32_t* kind) {
    const Registry& r = registry();
    return cloneOf(type.isEmpty() ? r.currentTemplate() : r.find(type), kind);
}

std::unique_ptr<PresetRecord> makeFromCurrentTemplate(uint32_t* kind) {
    return cloneOf(registry().currentTemplate(), kind);
}

int selectTemplate(const String& name, bool byType) {
    Registry& r = registry();
    if (!r.templates || r.templates->empty()) return 0;
    String type;
    if (byType) {
        type = name;
    } else {
        for (const auto& [registered, display] : r.displayNames)
            if (display == name && r.find(registered)) {
                type = registered;
                break;
            }
    }
    if (!r.find(type)) return 0;
    r.current = type;
    return 1;
}

String getTypeForLegacyName(const String& legacyName) {
    const Registry& r = registry();
    auto it = r.legacyNames.find(legacyName);
    return it == r.legacyNames.end() ? String() : it->second;
}

const std::map<String, String>& getTemplateDisplayNames() {
    return registry().displayNames;
}

bool hasPresetTemplates() {
    const Registry& r = registry();
    return r.templates && !r.templates->empty();
}

std::unique_ptr<PresetRecord> makeRecordFor(const String& type) {
    if (std::unique_ptr<PresetRecord> record = cloneOf(registry().find(type), nullptr)) return record;
    return PresetRecord::makeOpen(type);
}

void closePresetTemplates() {
    Registry& r = registry();
    r.templates.reset();
    r.current = String();
}

void endPresetTemplates() {
    Registry& r = registry();
    // The publisher does not own its subscribers: none may stay listed once deleted.
    if (Addon* addon = getAddon()) {
        if (r.editor) addon->remove(r.editor.get());
        if (r.updater) addon->remove(r.updater.get());
    }
    r.editor.reset();
    r.updater.reset();
    closePresetTemplates();
    r.displayNames.clear();
    r.legacyNames.clear();
}

} // namespace tarnwick
