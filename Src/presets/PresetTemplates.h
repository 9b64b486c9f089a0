// The preset template registry, module state: every kind of preset the add-on offers is a
// template record registered once under its type name, with a display name, perhaps a legacy
// type name, and a kind (1: names unique within the type, 2: unique over all presets). The first
// registration gives the add-on its preset database and the subscribers that edit and update it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "Environment/String.h"

namespace tarnwick {

class PresetRecord;

// Nothing for a null template or an empty display name; the first registration of a type wins.
void registerPresetTemplate(std::unique_ptr<PresetRecord> record, const String& displayName,
                            const String& legacyName, uint32_t kind);
// 0 when the type is not registered; an empty name gives the first type's kind.
uint32_t getTemplateKind(const String& type);
// A clone of the type's template (an empty name: of the current one), or null; kind, when
// given, receives its kind.
std::unique_ptr<PresetRecord> makeFromTemplate(const String& type, uint32_t* kind = nullptr);
// A clone of the current template, or null when none is registered.
std::unique_ptr<PresetRecord> makeFromCurrentTemplate(uint32_t* kind = nullptr);
// Makes a template current by type name, or by display name (the first type, in type order, that
// shows it); 1 when one was selected, else 0.
int selectTemplate(const String& name, bool byType);
// The type registered under a legacy type name; empty when none.
String getTypeForLegacyName(const String& legacyName);
// Type name to display name, in type order.
const std::map<String, String>& getTemplateDisplayNames();
bool hasPresetTemplates();

// The record the reader makes for a stored element of that name: a clone of the type's template,
// or an open record when no template knows the type.
std::unique_ptr<PresetRecord> makeRecordFor(const String& type);

// The preset database is leaving for good: the templates and the current one go.
void closePresetTemplates();
// The module ends: the subscribers leave the add-on and everything goes.
void endPresetTemplates();

} // namespace tarnwick
