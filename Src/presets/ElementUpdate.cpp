// The configuration's element update: the presets applied to the placed objects of a drawing.
#include "Environment/EditManager.h"
#include "Environment/Host.h"
#include "Environment/HostFailures.h"
#include "library/Object.h"
#include "platform/api/HostErrors.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetTexts.h"
#include "presets/TarnwickLibrary.h"
#include "project/Alert.h"
#include "project/Drawing.h"
#include "project/ElementMemo.h"
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
    auto fail = [failure](GSErrCode code) {
        if (failure != nullptr) *failure = code;
        return true;
    };
    // A placed object's parameters are in its memo: without memos there is nothing to update.
    if (!hostTakesMemosBack()) return fail(hosterr::NotSupplied);
    const HostFailureWatch reading;
    Drawing* drawing = edits.getDatabase();
    if (drawing == nullptr) return reading.any() ? fail(reading.last().code) : false;
    // A selection the host would not give is no empty one: asking to update everything would be false.
    ElementLinkList* selection = drawing->getSelection();
    if (reading.any()) return fail(reading.last().code);
    bool selected = selection != nullptr && !selection->empty();
    if (!all && !selected &&
        ConfirmAlert().show(Host::getResourceString(PresetTexts, UpdateAllQuestion), String(), String()) !=
            ConfirmAlert::FirstButton)
        return false;

    // Records the presets store are kept only when every element could be read and every element
    // changed could be saved.
    Project* project = Host::getProject();
    PresetDatabase* database = projectPresets();
    std::unique_ptr<PresetDatabase> before = database ? database->copyFiltered(nullptr) : nullptr;
    auto putBack = [&](GSErrCode code) {
        if (before && project != nullptr) project->setPackage(*before, false);
        return fail(code);
    };
    // A reading walk: an element is written back only once it is editable and changed.
    Drawing::Filter filter(Object::TypeCode, selected, false, false);
    for (auto it = drawing->cbegin(filter); it != Drawing::cend(); ++it) {
        Element& element = *it;
        Object* object = placedObject(element);
        if (object == nullptr || !servesPart(object->getComponentLink().getType())) continue;
        {
            // One that cannot be made editable (held by another user) is left as it is.
            const UnnotedHostCalls editable;
            if (edits.makeEditable(element, true, true, true) != EditManager::Editable) continue;
        }
        if (!updateElement(element)) continue;
        bool saved = false;
        {
            const UnnotedHostCalls saving; // its answer says how it went
            saved = drawing->saveElement(element, false, true);
        }
        if (!saved) return putBack(drawing->getLastError() != 0 ? drawing->getLastError() : hosterr::Failed);
    }
    // A walk that could not read the drawing's elements or their parameters updated what it could
    // see, not all: the host drops the step, and the styles made on the way go too.
    if (reading.any()) return putBack(reading.last().code);
    return true;
}

} // namespace tarnwick
