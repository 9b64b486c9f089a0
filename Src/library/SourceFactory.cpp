#include "library/SourceFactory.h"

#include <unordered_map>
#include <vector>

#include "library/SourceKinds.h"

namespace tarnwick {

namespace {
using Creators = std::unordered_map<uint32_t, std::vector<SourceCreator>>;

std::unique_ptr<Creators> defaultCreators;
std::unique_ptr<Creators> preferredCreators;

template <class Kind> SourceCreator creatorOf(uint32_t type) {
    return [type](const HostLibPart& record, const ComponentLink& link) -> std::unique_ptr<ComponentSource> {
        if (record.typeCode != type) return nullptr;
        return std::make_unique<Kind>(record, link);
    };
}

std::unique_ptr<ComponentSource> ask(const Creators* creators, const HostLibPart& record,
                                     const ComponentLink& link) {
    if (creators == nullptr) return nullptr;
    auto found = creators->find(record.typeCode);
    if (found == creators->end()) return nullptr;
    for (const SourceCreator& creator : found->second)
        if (std::unique_ptr<ComponentSource> source = creator(record, link)) return source;
    return nullptr;
}

struct Family {
    const char* unId;
    uint32_t type;
};

// In the order they are asked: the first the part derives from decides.
const Family standardFamilies[] = {
    {"{11E85B84-8DD1-491B-A2FE-337454A91545}-{9CD857B9-18A7-4F56-80E4-3E80CF98C51C}", LibPartDoor},
    {"{BDB8C3EE-4019-46C8-91D0-7A8DE0A5EC6D}-{1A63DAB2-6C58-40F5-A8CF-66C24221E66B}", LibPartLabel},
    {"{51A838E5-0F40-4F6D-A658-CF2845581749}-{0FEEC221-485B-4E33-AB14-BEF539A03456}", LibPartLamp},
    {"{8F157ABA-E5C9-48B6-9DCE-68F0F02A808E}-{09EA47C2-E2A1-4805-94C8-B19BB097C5D7}", LibPartProperty},
    {"{4ABD0A6E-634B-4931-B3AA-9BEE01F35CDF}-{71F409AA-4D0A-4152-BF03-8E77782C8DD6}", LibPartWindow},
    {"{A73622DE-E40A-4E63-ADB7-52D13422BD06}-{8BAE3C2B-6B64-4F5B-8144-851BE94F4F39}", LibPartZone},
};

constexpr uint32_t LastSteppedType = 12;
} // namespace

void CreatorList::install() {
    defaultCreators = std::make_unique<Creators>();
    const std::pair<uint32_t, SourceCreator> creators[] = {
        {LibPartDoor, &DoorSource::create},
        {LibPartLabel, &LabelSource::create},
        {LibPartLamp, &LampSource::create},
        {LibPartMacro, creatorOf<MacroSource>(LibPartMacro)},
        {LibPartPicture, creatorOf<PictureSource>(LibPartPicture)},
        {LibPartObject, &ObjectSource::create},
        {LibPartProperty, &PropertySource::create},
        {LibPartZone, &ZoneSource::create},
        {LibPartWindow, &WindowSource::create},
        {LibPartSkylight, &SkylightSource::create},
    };
    for (const auto& [type, creator] : creators)
        (*defaultCreators)[type].push_back(creator);
}

void CreatorList::uninstall() {
    defaultCreators.reset();
    preferredCreators.reset();
}

void registerSourceCreator(uint32_t type, SourceCreator creator) {
    if (!preferredCreators) preferredCreators = std::make_unique<Creators>();
    (*preferredCreators)[type].push_back(std::move(creator));
}

uint32_t refineType(const FamilyGuid& ownId, uint32_t fallback) {
    for (const Family& family : standardFamilies)
        if (ownId.isSubtypeOf(FamilyGuid(String(family.unId)))) return family.type;
    return fallback;
}

std::unique_ptr<ComponentSource> makeSource(HostLibPart& record, ComponentLink& link) {
    const uint32_t type = refineType(FamilyGuid(libpart::unIdOf(record.ownUnId)), record.typeCode);
    record.typeCode = type;
    link.setType(type);
    // Gone however the creators end, also by an exception.
    struct LocationDropper {
        HostLibPart& record;
        ~LocationDropper() { libpart::dropLocation(record); }
    } dropper{record};
    std::unique_ptr<ComponentSource> source = ask(preferredCreators.get(), record, link);
    if (!source) source = ask(defaultCreators.get(), record, link);
    return source;
}

uint32_t nextPartType(uint32_t type) {
    return type >= LastSteppedType ? 0 : type + 1;
}

uint32_t previousPartType(uint32_t type) {
    return type == 0 || type > LastSteppedType ? LastSteppedType : type - 1;
}

} // namespace tarnwick
