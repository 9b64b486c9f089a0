// The attribute factory: chooses the wrapper class for a host attribute record, asking the
// preferred creators (registered by the add-on) before the built-in ones.
#include <map>

#include "project/City.h"
#include "project/ComplexProfile.h"
#include "project/Composite.h"
#include "project/Fill.h"
#include "project/Finish.h"
#include "project/Font.h"
#include "project/Layer.h"
#include "project/LayerCombination.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/Pen.h"
#include "project/Specification.h"
#include "project/ZoneCategory.h"

namespace tarnwick {

namespace {
using CreatorMap = std::multimap<uint8_t, Specification::Creator>;

const CreatorMap& builtInCreators() {
    static const CreatorMap creators = {
        {AttrCity, &City::create},
        {AttrComposite, &Composite::create},
        {AttrFill, &Fill::create},
        {AttrSurface, &Finish::create},
        {AttrFont, &Font::create},
        {AttrLayer, &Layer::create},
        {AttrLayerCombination, &LayerCombination::create},
        {AttrLineType, &LineStyle::create},
        {AttrBuildingMaterial, &Material::create},
        {AttrPen, &Pen::create},
        {AttrProfile, &ComplexProfile::create},
        {AttrZoneCategory, &ZoneCategory::create},
    };
    return creators;
}

std::unique_ptr<CreatorMap>& preferredCreators() {
    static std::unique_ptr<CreatorMap> creators;
    return creators;
}

std::unique_ptr<Attribute> ask(const CreatorMap& creators, const API_Attribute& record,
                               const AttributeLink& link) {
    if (record.header.typeCode > 0xFF) return nullptr;
    auto [first, last] = creators.equal_range(static_cast<uint8_t>(record.header.typeCode));
    for (auto it = first; it != last; ++it)
        if (std::unique_ptr<Attribute> made = it->second(record, link)) return made;
    return nullptr;
}
} // namespace

void Specification::registerAttributeCreator(uint8_t type, Creator creator) {
    if (creator == nullptr) return;
    auto& preferred = preferredCreators();
    if (!preferred) preferred = std::make_unique<CreatorMap>();
    preferred->emplace(type, creator);
}

void Specification::clearAttributeCreators() {
    preferredCreators().reset();
}

std::unique_ptr<Attribute> Specification::create(const API_Attribute& record,
                                                 const AttributeLink& link) const {
    if (const auto& preferred = preferredCreators()) {
        if (std::unique_ptr<Attribute> made = ask(*preferred, record, link)) return made;
    }
    return ask(builtInCreators(), record, link);
}

} // namespace tarnwick
