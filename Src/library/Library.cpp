#include "library/Library.h"

#include "Environment/File.h"
#include "Environment/HostCalls.h"
#include "library/ParameterList.h"
#include "library/ParametricSource.h"
#include "library/SourceFactory.h"

namespace tarnwick {

namespace {
// Types a walk starts from when its filter names none.
constexpr uint32_t FirstWalkType = 1;
constexpr uint32_t LastWalkType = 12;
} // namespace

template <bool Forward>
Library::Walk<Forward>::Walk(Library& library, const Filter& filter, const ComponentLink& start)
    : m_library(&library), m_filter(filter.clone()), m_position(start) {
    ++*this;
}

template <bool Forward> Library::Walk<Forward>& Library::Walk<Forward>::operator++() {
    if (m_library == nullptr) return *this;
    m_current.reset();
    m_current = m_library->nextPart(m_position, Forward, *m_filter);
    if (m_current)
        m_position = m_current->getLink();
    else
        m_library = nullptr;
    return *this;
}

template class Library::Walk<true>;
template class Library::Walk<false>;

Library::~Library() = default;

std::unique_ptr<ComponentSource> Library::getSource(const ComponentLink& link) {
    return getSource(link, nullptr);
}

uint32_t Library::search(HostLibPart& record, uint32_t& type) {
    const GSErrCode err = ACAPSearchLibPart(&record, nullptr, 0);
    libpart::dropLocation(record);
    type = refineType(FamilyGuid(libpart::unIdOf(record.ownUnId)), record.typeCode);
    return err == hosterr::Ok ? record.index : 0;
}

uint32_t Library::findByName(const String& name, uint32_t& type) {
    HostLibPart record = libpart::blank(type);
    libpart::setDocumentName(record, name);
    if (ACAPSearchLibPart(&record, nullptr, 0) != hosterr::Ok) {
        libpart::dropLocation(record);
        record = libpart::blank();
        libpart::setDocumentName(record, name);
        if (ACAPSearchLibPart(&record, nullptr, 0) != hosterr::Ok) {
            libpart::dropLocation(record);
            record = libpart::blank();
            libpart::setFileName(record, name + ".gsm");
            return search(record, type);
        }
    }
    libpart::dropLocation(record);
    type = refineType(FamilyGuid(libpart::unIdOf(record.ownUnId)), record.typeCode);
    return record.index;
}

uint32_t Library::findByUnId(const String& unId, uint32_t& type) {
    HostLibPart record = libpart::blank(type);
    libpart::setUnId(record.ownUnId, unId);
    return search(record, type);
}

uint32_t Library::findByParentUnId(const String& unId, uint32_t& type, uint32_t start) {
    HostLibPart record = libpart::blank(type, start);
    libpart::setUnId(record.parentUnId, unId);
    return search(record, type);
}

bool Library::registerFromSource(ComponentSource& source) {
    auto* parametric = dynamic_cast<ParametricSource*>(&source);
    if (parametric == nullptr) return false;
    auto takeIdentity = [&source](HostLibPart& record) {
        source.setVersion(record.version);
        source.setOwnUnId(libpart::unIdOf(record.ownUnId));
        source.setParentUnId(libpart::unIdOf(record.parentUnId));
        libpart::dropLocation(record);
    };
    if (source.getIndex() != 0 && source.getLink().getLibrary() == this) {
        if (parametric->writeSections(true) != hosterr::Ok) return false;
        HostLibPart record = libpart::blank(source.getLink().getType(), source.getIndex());
        if (ACAPGetLibPart(&record) == hosterr::Ok)
            takeIdentity(record);
        else
            libpart::dropLocation(record);
        return true;
    }

    // The host is told where the part's file goes on a location of the call's own, so that the
    // source keeps its own whatever the host does with the record.
    HostLibPart record = source.getRecord();
    const std::unique_ptr<IO::Location> told(libpart::copyLocation(record.location));
    record.location = told.get();
    int32_t overwrite = 1;
    (void)ACAPEnvironmentCall(fourCC("OWLP"), &overwrite);
    const GSErrCode created = ACAPCreateLibPart(&record);
    if (record.location == told.get()) record.location = nullptr;
    setLastError(created);
    overwrite = 0;
    (void)ACAPEnvironmentCall(fourCC("OWLP"), &overwrite);
    if (created != hosterr::Ok) {
        libpart::dropLocation(record);
        return false;
    }
    const GSErrCode added = parametric->writeSections(false);
    // Saved also after a failed section, so that the host is not left with a part open; a part
    // without all its sections is no success, and the section's answer is the one kept.
    const GSErrCode saved = ACAPSaveLibPart(&record);
    setLastError(added != hosterr::Ok ? added : saved);
    if (added != hosterr::Ok || saved != hosterr::Ok) {
        libpart::dropLocation(record);
        return false;
    }
    source.setLink(ComponentLink(record.index, record.typeCode, this));
    takeIdentity(record);
    return true;
}

uint32_t Library::getPartCount() const {
    int32_t count = 0;
    if (ACAPGetLibPartCount(&count) != hosterr::Ok || count < 0) return 0;
    return static_cast<uint32_t>(count);
}

std::unique_ptr<ComponentSource> Library::nextPart(const ComponentLink& position, bool forward,
                                                   Filter& filter) {
    ComponentLink link = position;
    if (filter.getType() != 0) link.setType(filter.getType());
    if (forward) {
        const uint32_t count =
            filter.reusesCount() && filter.getCount() != 0 ? filter.getCount() : getPartCount();
        while (link.getIndex() < count) {
            link.setIndex(link.getIndex() + 1);
            if (std::unique_ptr<ComponentSource> source = getSource(link, &filter)) {
                filter.setCount(count);
                return source;
            }
        }
        return nullptr;
    }
    while (link.getIndex() >= 2) {
        link.setIndex(link.getIndex() - 1);
        if (std::unique_ptr<ComponentSource> source = getSource(link, &filter)) return source;
    }
    return nullptr;
}

std::unique_ptr<ComponentSource> Library::getSource(const ComponentLink& link, Filter* filter) {
    if (link.getType() == 0 && link.getIndex() < 1) return nullptr;
    HostLibPart record = libpart::blank(link.getType(), link.getIndex());
    if (ACAPGetLibPart(&record) != hosterr::Ok) {
        libpart::dropLocation(record);
        return nullptr;
    }
    // During a walk the link carries the filter's own type, so the host's type sorts nothing out.
    const bool passes =
        filter == nullptr || (filter->matches(libpart::documentName(record)) &&
                              (filter->getType() == 0 || filter->getType() == link.getType()));
    if (!passes) {
        libpart::dropLocation(record);
        return nullptr;
    }
    ComponentLink found = link;
    if (record.typeCode != 0)
        found.setType(record.typeCode);
    else
        record.typeCode = link.getType();
    found.setLibrary(this);
    std::unique_ptr<ComponentSource> source = makeSource(record, found);
    if (source && filter != nullptr && !filter->accept(*source)) return nullptr;
    return source;
}

Library::iterator Library::begin(const Filter& filter) {
    return iterator(*this, filter,
                    ComponentLink(0, filter.getType() != 0 ? filter.getType() : FirstWalkType, this));
}

Library::reverse_iterator Library::rbegin(const Filter& filter) {
    const uint32_t count = getPartCount();
    return reverse_iterator(
        *this, filter,
        ComponentLink(count + 1, filter.getType() != 0 ? filter.getType() : LastWalkType, this));
}

FamilyGuid Library::getFamilyId(uint32_t index) const {
    char text[HostUnIdBytes] = {};
    int32_t asked = static_cast<int32_t>(index);
    if (ACAPUtilityCall(fourCC("GLUI"), &asked, text) != hosterr::Ok) return FamilyGuid();
    return FamilyGuid(String(text, sizeof text));
}

uint32_t Library::findCurrentIndex(uint32_t index) {
    uint32_t type = 0;
    return findByUnId(getFamilyId(index), type);
}

size_t Library::findChildren(const ComponentLink& link, Vector<ComponentLink>& children) {
    std::unique_ptr<ComponentSource> source = getSource(link);
    if (!source) return 0;
    const FamilyGuid parent = source->getOwnUnId();
    size_t appended = 0;
    uint32_t last = link.getIndex();
    for (;;) {
        uint32_t type = 0;
        const uint32_t found = findByParentUnId(parent, type, last);
        // A host that answers the start again, or goes back, would keep the walk going forever.
        if (found == 0 || found <= last) break;
        children.push_back(std::make_unique<ComponentLink>(found, 0, nullptr));
        ++appended;
        last = found;
    }
    return appended;
}

std::unique_ptr<ComponentSource> Library::registerPart(uint32_t type, const File& file, int32_t ownerId) {
    if (!file.exists()) return nullptr;
    HostLibPart record = libpart::blank(type);
    record.ownerId = ownerId;
    record.location = new IO::Location(file.getLocation());
    const GSErrCode err = ACAPRegisterLibPart(&record);
    if (err != hosterr::Ok) {
        libpart::dropLocation(record);
        return nullptr;
    }
    ComponentLink link(record.index, type, this);
    return makeSource(record, link);
}

GSHandle Library::getPartParameters(const ComponentLink& link, double& a, double& b) {
    GSHandle parameters = nullptr;
    if (ACAPGetLibPartParameters(static_cast<int32_t>(link.getIndex()), &a, &b, &parameters) != hosterr::Ok) {
        ParameterList::disposeHostParameters(parameters);
        return nullptr;
    }
    return parameters;
}

} // namespace tarnwick
