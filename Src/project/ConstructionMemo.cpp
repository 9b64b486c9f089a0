#include "project/ConstructionMemo.h"

#include <cstring>

#include "Environment/Memory.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
template <class T, class List> std::unique_ptr<List> copyOf(const List* list) {
    if (list == nullptr) return nullptr;
    auto copy = std::make_unique<List>();
    copy->reserve(list->size());
    for (size_t i = 0; i < list->size(); ++i)
        copy->append(std::make_unique<T>(*(*list)[i]));
    return copy;
}

size_t sizeOf(GSHandle handle) {
    return handle == nullptr ? 0 : static_cast<size_t>(getHandleSize(handle));
}

template <class T> const T* itemOf(const Vector<T>* list, size_t index) {
    return list != nullptr && index < list->size() ? (*list)[index] : nullptr;
}
} // namespace

ConstructionMemo::ConstructionMemo(const ConstructionMemo& other)
    : Memo(other), m_cores(copyOf<Core>(other.m_cores.get())), m_edges(copyOf<Edge>(other.m_edges.get())) {}

ConstructionMemo& ConstructionMemo::operator=(const ConstructionMemo& other) {
    if (this != &other) {
        Memo::operator=(other);
        m_cores = copyOf<Core>(other.m_cores.get());
        m_edges = copyOf<Edge>(other.m_edges.get());
    }
    return *this;
}

bool ConstructionMemo::writeMemo(MemoStore& store) {
    if (!isValid()) return false;
    const size_t n = m_cores->size();
    GSHandle* coreField = store.coreListAddress();
    GSHandle* edgeField = store.edgeListAddress();
    freeHandle(*coreField);
    *coreField = allocateHandle(static_cast<GSSize>(n * sizeof(Core)));
    freeHandle(*edgeField);
    *edgeField = allocateHandle(static_cast<GSSize>((n + 1) * sizeof(Edge)));
    auto* cores = reinterpret_cast<Core*>(**coreField);
    auto* edges = reinterpret_cast<Edge*>(**edgeField);
    for (size_t i = 0; i < n; ++i) {
        edges[i] = *(*m_edges)[i];
        cores[i] = *(*m_cores)[i];
    }
    edges[n] = *m_edges->back();
    return true;
}

bool ConstructionMemo::readMemo(MemoStore& store) {
    m_cores.reset();
    m_loaded = false;
    GSHandle coreHandle = store.getCoreList();
    const size_t coreBytes = sizeOf(coreHandle);
    if (coreBytes < sizeof(Core)) return false;
    m_edges.reset();
    GSHandle edgeHandle = store.getEdgeList();
    const size_t c = coreBytes / sizeof(Core);
    const size_t e = sizeOf(edgeHandle) / sizeof(Edge);
    if (e != c + 1) return false;
    auto cores = std::make_unique<CoreList>();
    auto edges = std::make_unique<EdgeList>();
    cores->reserve(c);
    edges->reserve(e);
    const auto* coreData = reinterpret_cast<const Core*>(*coreHandle);
    const auto* edgeData = reinterpret_cast<const Edge*>(*edgeHandle);
    for (size_t i = 0; i < c; ++i) {
        edges->append(std::make_unique<Edge>(edgeData[i]));
        cores->append(std::make_unique<Core>(coreData[i]));
    }
    edges->append(std::make_unique<Edge>(edgeData[c]));
    m_cores = std::move(cores);
    m_edges = std::move(edges);
    m_loaded = true;
    return true;
}

size_t ConstructionMemo::getCoreCount() {
    ensureOwnLoaded();
    return m_cores != nullptr ? m_cores->size() : 0;
}

ConstructionMemo::Core* ConstructionMemo::getCore(size_t index) {
    ensureOwnLoaded();
    return const_cast<Core*>(itemOf<Core>(m_cores.get(), index));
}

const ConstructionMemo::Core* ConstructionMemo::getCore(size_t index) const {
    const_cast<ConstructionMemo*>(this)->ensureOwnLoaded();
    return itemOf<Core>(m_cores.get(), index);
}

size_t ConstructionMemo::getEdgeCount() {
    ensureOwnLoaded();
    return m_edges != nullptr ? m_edges->size() : 0;
}

ConstructionMemo::Edge* ConstructionMemo::getEdge(size_t index) {
    ensureOwnLoaded();
    return const_cast<Edge*>(itemOf<Edge>(m_edges.get(), index));
}

const ConstructionMemo::Edge* ConstructionMemo::getEdge(size_t index) const {
    const_cast<ConstructionMemo*>(this)->ensureOwnLoaded();
    return itemOf<Edge>(m_edges.get(), index);
}

void ConstructionMemo::setCore(std::unique_ptr<Core> core, size_t index) {
    ensureOwnLoaded();
    if (!core || m_cores == nullptr || index >= m_cores->size()) return;
    if ((*m_cores)[index] == core.get()) {
        (void)core.release(); // already held there
        return;
    }
    (void)m_cores->replace(index, std::move(core));
}

} // namespace tarnwick
