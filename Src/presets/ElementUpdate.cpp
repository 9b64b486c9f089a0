// The configuration's element update: the presets applied to the placed objects of a drawing.
#include "Environment/EditManager.h"
#include "Environment/Host.h"
#include "library/Object.h"
#include "platform/api/HostErrors.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetTexts.h"
#include "presets/TarnwickLibrary.h"
#include "project/Alert.h"
#include "project/Drawing.h"
#include "project/Project.h"

namespace tarnwick {

namespace {

PresetDatabase* projectPresets() {
    Project* project = Host::getProject();
    return project ? dynamic_cast<PresetDatabase*>(project->getPackage(PresetDatabase::Code)) : nullptr;
}

Object* placedObject(Element& element) {
    if (element.getLink().getTypeCode() != Object::TypeCode) return nullptr;
    return dynamic_cast<Object*>(&element);
}

} // namespace

bool TarnwickLibrary::servesPart(uint32_t partType) const {
    for (size_t k = 0; k < m_presets.size(); ++k)
        if (m_presets.at(k).appliesTo(partType)) return true;
    return false;
}

bool TarnwickLibrary::updateElement(Element& element) const {
    Object* object = placedObject(element);
    PresetDatabase* database = projectPresets();
    if (object == nullptr || database == nullptr) return false;
    uint32_t partType = object->getComponentLink().getType();
    bool changed = false;
    for (size_t k = 0; k < m_presets.size(); ++k) {
        Preset& preset = m_presets.at(k);
        if (preset.appliesTo(partType) && preset.applyTo(object->getParameterList(), *database))
            changed = true;
    }
    return changed;
}

bool TarnwickLibrary::collectElementsForUpdate(EditManager& edits, bool all, GSErrCode* failure) const {
    if (failure != nullptr) *failure = hosterr::Ok;
    Drawing* drawing = edits.getDatabase();
    if (drawing == nullptr) return false;
    ElementLinkList* selection = drawing->getSelection();
    bool selected = selection != nullptr && !selection->empty();
    if (!all && !selected &&
        ConfirmAlert().show(Host::getResourceString(PresetTexts, UpdateAllQuestion), String(), String()) !=
            ConfirmAlert::FirstButton)
        return false;

    // Records the presets store are kept only when every element changed could be saved.
    Project* project = Host::getProject();
    PresetDatabase* database = projectPresets();
    std::unique_ptr<PresetDatabase> before = database ? database->copyFiltered(nullptr) : nullptr;
    // A reading walk: an element is written back only once it is editable and changed.
    Drawing::Filter filter(Object::TypeCode, selected, false, false);
    for (auto it = drawing->cbegin(filter); it != Drawing::cend(); ++it) {
        Element& element = *it;
        Object* object = placedObject(element);
        if (object == nullptr || !servesPart(object->getComponentLink().getType())) continue;
        if (edits.makeEditable(element, true, true, true) != EditManager::Editable) continue;
        if (!updateElement(element) || drawing->saveElement(element, false, true)) continue;
        if (failure != nullptr)
            *failure = drawing->getLastError() != 0 ? drawing->getLastError() : hosterr::Failed;
        if (before && project != nullptr) project->setPackage(*before, false);
        return true;
    }
    return true;
}

} // namespace tarnwick
