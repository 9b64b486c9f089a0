#include "project/Specification.h"

#include <cmath>
#include <map>
#include <vector>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "platform/io/Location.h"
#include "project/AttrRefList.h"
#include "project/City.h"
#include "project/Colour.h"
#include "project/Pen.h"

namespace tarnwick {

uint32_t Specification::getCount(uint8_t type) {
    if (type == AttrNone) {
        uint16_t sum = 0; // 16 bits, as the host counts
        for (uint8_t each = AttrPen; each <= AttrLastType; ++each)
            sum = static_cast<uint16_t>(sum + getCount(each));
        return sum;
    }
    uint16_t count = 0;
    if (ACAPGetAttributeCount(type, &count) != hosterr::Ok) return 0;
    return count;
}

uint32_t Specification::findPen(const Colour& colour, double width) {
    // Ordered by colour distance, then width difference; a later pen with an equal key wins.
    std::map<std::pair<double, double>, uint32_t> byKey;
    Filter filter(AttrPen, true);
    AttributeLink position(0u, AttrPen, this);
    while (std::unique_ptr<Attribute> found = find(position, true, filter)) {
        const auto* pen = dynamic_cast<const Pen*>(found.get());
        if (pen == nullptr) continue;
        Colour own = pen->getColour();
        double dr = own.getRed() - colour.getRed();
        double dg = own.getGreen() - colour.getGreen();
        double db = own.getBlue() - colour.getBlue();
        double distance = std::sqrt(dr * dr + dg * dg + db * db);
        double widthDifference = std::fabs(pen->getWidth() - width);
        if (!std::isfinite(distance) || !std::isfinite(widthDifference)) continue;
        byKey[{distance, widthDifference}] = pen->getIndex();
    }
    return byKey.empty() ? 1 : byKey.begin()->second;
}

uint32_t Specification::findCity(double a, double b) {
    Filter filter(AttrCity);
    AttributeLink position(0u, AttrCity, this);
    while (std::unique_ptr<Attribute> found = find(position, true, filter)) {
        const auto* city = dynamic_cast<const City*>(found.get());
        if (city == nullptr) continue;
        if (std::fabs(city->getSecondAngle() - a) <= 1.0 && std::fabs(city->getFirstAngle() - b) <= 1.0)
            return city->getIndex();
    }
    return 0;
}

AttributeMemoPtr Specification::getDefinition(const AttributeLink& link) {
    AttributeMemoPtr memo(new HostAttributeMemo());
    int32_t index = link.getIndex16();
    if (link.getType() == AttrComposite && index < 0) index = -index;
    m_lastError = ACAPGetAttributeMemo(link.getType(), static_cast<int16_t>(index), memo.get());
    if (m_lastError != hosterr::Ok) return nullptr; // the deleter disposes what the host left
    return memo;
}

bool Specification::store(Attribute& attribute) {
    AttributeMemoPtr memo = attribute.makeMemo();
    std::unique_ptr<API_Attribute> record = attribute.makeRecord();
    if (!record) return false;
    const AttributeLink link = attribute.getLink();
    Specification* owner = link.getDatabase();
    bool create = record->header.index == 0 || (owner != nullptr && owner != this);
    GSErrCode err = create ? ACAPCreateAttribute(record.get(), memo.get())
                           : ACAPModifyAttribute(record.get(), memo.get());
    // makeRecord gave the record a location of its own.
    if (record->header.typeCode == AttrSurface) delete record->surface.textureLocation;
    if (err != hosterr::Ok) return false;
    attribute.getRecord() = record->header;
    attribute.setLink(AttributeLink(static_cast<uint32_t>(static_cast<uint16_t>(record->header.index)),
                                    link.getType(), this));
    return true;
}

bool Specification::removeAll(const AttrRefList& links) {
    std::unique_ptr<AttrRefList> copy = links.clone();
    std::map<uint8_t, std::vector<int16_t>> byType;
    for (const AttributeLink* link : *copy)
        if (link != nullptr) byType[link->getType()].push_back(link->getIndex16());
    bool allDone = true;
    for (const auto& [type, indices] : byType) {
        GSHandle handle = allocateHandle(static_cast<GSSize>(indices.size() * sizeof(int16_t)));
        auto* out = reinterpret_cast<int16_t*>(*handle);
        for (size_t i = 0; i < indices.size(); ++i)
            out[i] = indices[indices.size() - 1 - i]; // last to first
        HostAttributeHeader header;
        header.typeCode = type;
        if (ACAPDeleteAttributes(&header, handle) != hosterr::Ok) allDone = false;
        freeHandle(handle);
    }
    return allDone;
}

bool Specification::remove(const AttributeLink& link) {
    HostAttributeHeader header;
    link.makeHeader(header);
    return ACAPDeleteAttribute(&header) == hosterr::Ok;
}

std::unique_ptr<Attribute> Specification::find(AttributeLink& position, bool forward, Filter& filter) {
    const bool fixed = filter.getType() != AttrNone;
    uint8_t type = fixed ? filter.getType() : position.getType();
    if (type == AttrNone) return nullptr;
    int32_t index = static_cast<int32_t>(position.getIndex() & 0xFFFF);
    uint32_t bound =
        filter.usesCachedCount() && filter.getCachedCount() > 0 ? filter.getCachedCount() : getCount(type);
    for (;;) {
        if (forward) {
            ++index;
            while (index > static_cast<int32_t>(bound)) {
                if (fixed || type >= AttrLastType) return nullptr;
                ++type;
                index = 1;
                bound = getCount(type);
            }
        } else {
            --index;
            while (index < 1) {
                if (fixed || type <= AttrPen) return nullptr;
                --type;
                bound = getCount(type);
                index = static_cast<int32_t>(bound);
            }
        }
        AttributeLink at(static_cast<uint32_t>(index), type, this);
        if (std::unique_ptr<Attribute> found = make(at, &filter)) {
            filter.setCachedCount(static_cast<uint16_t>(bound));
            position = at;
            return found;
        }
    }
}

std::unique_ptr<Attribute> Specification::make(const AttributeLink& link, const Filter* filter) {
    const uint8_t type = link.getType();
    if (type == AttrNone) return nullptr;
    int32_t index = link.getIndex16();
    if (type == AttrComposite && index < 0) index = -index;
    if (index <= 0) return nullptr;
    if (filter != nullptr && filter->getType() != AttrNone && filter->getType() != type) return nullptr;
    API_Attribute record;
    record.header.typeCode = type;
    record.header.index = static_cast<int16_t>(index);
    GSErrCode err = ACAPGetAttribute(&record);
    std::unique_ptr<Attribute> wrapper;
    if (err == hosterr::Ok) wrapper = create(record, AttributeLink(static_cast<uint32_t>(index), type, this));
    // A surface's texture location is the caller's; a wrapper that wants it has copied it.
    if (record.header.typeCode == AttrSurface) delete record.surface.textureLocation;
    if (!wrapper) return nullptr;
    if (filter != nullptr && !filter->accepts(*wrapper)) return nullptr;
    return wrapper;
}

Specification::iterator Specification::begin(const Filter& filter, bool writeBack) {
    uint8_t type = filter.getType() != AttrNone ? filter.getType() : uint8_t(AttrPen);
    iterator walk(AttributeLink(0u, type, this), filter);
    walk.setWriteBack(writeBack);
    return walk;
}

Specification::reverse_iterator Specification::rbegin(const Filter& filter, bool writeBack) {
    uint8_t type = filter.getType() != AttrNone ? filter.getType() : uint8_t(AttrLastType);
    // Start just past the type's own last index.
    reverse_iterator walk(AttributeLink(getCount(type) + 1, type, this), filter);
    walk.setWriteBack(writeBack);
    return walk;
}

Specification::const_iterator Specification::cbegin(const Filter& filter) {
    uint8_t type = filter.getType() != AttrNone ? filter.getType() : uint8_t(AttrPen);
    return const_iterator(AttributeLink(0u, type, this), filter);
}

Specification::iterator Specification::begin(std::shared_ptr<Vector<AttributeLink>> links,
                                             const Filter& filter, bool writeBack) {
    iterator walk(std::move(links), filter);
    walk.setWriteBack(writeBack);
    return walk;
}

} // namespace tarnwick
