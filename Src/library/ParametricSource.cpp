#include "library/ParametricSource.h"

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "library/ParameterSection.h"
#include "platform/api/ParameterRecords.h"
#include "platform/graphics/FileTypeManager.h"
#include "platform/gsroot/UniString.h"
#include "project/Image.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
// The host's conversion settings for a preview picture, passed as they are.
constexpr int32_t PreviewSetting1 = 1;
constexpr int32_t PreviewSetting2 = 7;
} // namespace

ParametricSource::ParametricSource(const HostLibPart& record, const ComponentLink& link)
    : ComponentSource(record, link) {}

ParametricSource::ParametricSource(const ComponentLink& link) : ComponentSource(link) {}

ParametricSource::ParametricSource(const ParametricSource& other)
    : ComponentSource(other), ComponentParameterMemo(other), ComponentResourceMemo(other),
      m_details(other.m_details ? std::make_unique<HostLibPartDetails>(*other.m_details) : nullptr) {}

ParametricSource::~ParametricSource() = default;

std::unique_ptr<ComponentSource> ParametricSource::clone() const {
    return std::make_unique<ParametricSource>(*this);
}

void ParametricSource::fillOwnerRecord(HostParameterOwner& record) const {
    record.libIndex = getIndex();
}

void ParametricSource::loadThroughOwner() {
    ElementMemoStore store;
    (void)loadPartDefaults(store, false);
    // An empty store is an empty list: a part without defaults has no parameters.
    (void)readMemo(store);
}

bool ParametricSource::takeParameterSection(GSHandle handle) {
    ParameterList list;
    double a = 0.0;
    double b = 0.0;
    if (!readParameterSection(handle, list, a, b)) return false;
    assignList(list);
    setLoaded(true);
    setSizes(a, b);
    return true;
}

GSErrCode ParametricSource::buildParameterSection(GSHandle& section) {
    section = nullptr;
    ElementMemoStore store;
    if (!writeMemo(store)) return hosterr::MemoryFull;
    const GSErrCode err = ACAPBuildLibPartParamSection(store.getParameters(), getA(), getB(), &section);
    if (err != hosterr::Ok) freeHandle(section);
    return err;
}

void ParametricSource::sectionChanged(uint32_t code) {
    if (code == section::ParameterScript) m_values.reset();
}

const TextRecord* ParametricSource::getValueList(const String& name) {
    if (!m_values) m_values = std::make_unique<ValueLists>(getSectionText(section::ParameterScript));
    return m_values->find(name);
}

std::unique_ptr<Image> ParametricSource::getPreviewImage() {
    GSHandle preview = sections().find(section::Preview);
    if (preview == nullptr) return nullptr;
    const char png[] = "image/png";
    HostImageConversion conversion;
    conversion.source = preview;
    conversion.targetMime = png;
    conversion.setting1 = PreviewSetting1;
    conversion.setting2 = PreviewSetting2;
    const GSErrCode err = ACAPUtilityCall(fourCC("CMPI"), &conversion);
    MemoryBlock converted(conversion.result);
    if (err != hosterr::Ok || converted.getSize() == 0) return nullptr;
    return std::make_unique<Image>(converted, true);
}

std::unique_ptr<Image> ParametricSource::getPictureImage() {
    MemoryBlock picture = getSection(section::Picture);
    if (picture.isEmpty()) return nullptr;
    return std::make_unique<Image>(picture, true);
}

bool ParametricSource::setPreviewImage(const Image& image) {
    const FTM::TypeID jpeg = FTM::FileTypeManager::SearchForMime("image/jpeg");
    if (jpeg == FTM::UnknownType) return false;
    MemoryBlock data = image.getEncodedDataAs(jpeg);
    if (data.isEmpty()) return false;
    setSection(section::Preview, data.releaseHandle());
    return true;
}

HostLibPartDetails& ParametricSource::getDetails() {
    if (!m_details) {
        m_details = std::make_unique<HostLibPartDetails>();
        if (isLoaded() &&
            ACAPGetLibPartDetails(static_cast<int32_t>(getIndex()), m_details.get()) != hosterr::Ok)
            *m_details = HostLibPartDetails();
    }
    return *m_details;
}

GSErrCode ParametricSource::writeSections(bool update) {
    const auto index = static_cast<int32_t>(getIndex());
    auto send = [&](uint32_t code, GSHandle data, const GS::UniString* text) {
        HostLibPartSection header;
        header.code = code;
        return update ? ACAPUpdateLibPartSection(index, &header, data, text)
                      : ACAPAddLibPartSection(&header, data, text);
    };
    // The list itself is walked: building "PARD" reads the parameters, never the sections.
    PartSectionList& list = sections();
    // The parameters are a section of the part even when none was read or set.
    if (!list.contains(section::Parameters) && getCount() != 0) list.set(section::Parameters, nullptr);
    for (size_t i = 0; i < list.size(); ++i) {
        const auto [code, handle] = list.at(i);
        GSErrCode err = hosterr::Ok;
        if (code == section::Parameters) {
            GSHandle built = nullptr;
            err = buildParameterSection(built);
            MemoryBlock parameters(built);
            if (err == hosterr::Ok)
                err = ACAPSetupLibPartParamSection(&getRecord(), parameters.getHandle(), &getDetails());
            if (err == hosterr::Ok) err = send(code, parameters.getHandle(), nullptr);
        } else if (handle == nullptr) {
            continue;
        } else if (section::isText(code)) {
            const GS::UniString text = getSectionText(code).toUniString();
            err = send(code, handle, &text);
        } else {
            err = send(code, handle, nullptr);
        }
        if (err != hosterr::Ok) return err;
    }
    return hosterr::Ok;
}

} // namespace tarnwick
