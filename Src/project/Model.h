// The 3D model window's database. It shows the floor plan's elements and is named by kind alone.
// Besides them it reads the host's exported 3D model of the window (its 3D elements, bounds and
// finishes) and the window's camera.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "project/Drawing.h"
#include "project/Element3DOwnership.h"
#include "project/Finish.h"

namespace ModelerAPI {
class Model;
struct HostModelData;
} // namespace ModelerAPI

namespace tarnwick {

class Cube;
class Model;
class Plan;
class Projection;

// Turns a material index of the 3D model into a surface.
class FinishLookup {
public:
    virtual ~FinishLookup() = default;
    virtual Finish lookupFinish(int32_t index) const = 0;
};

// The iterators' cursor: steps from one 3D element of its model to the next.
class ModelProxy {
public:
    explicit ModelProxy(Model* model) : m_model(model) {}
    virtual ~ModelProxy() = default;
    // The element one index on from the link's in the direction of travel; null past either end or
    // without a model.
    virtual std::unique_ptr<Element3D> next(const Element3DLink& link, bool forward) const;
    Model* getModel() const { return m_model; }

private:
    Model* m_model;
};

template <> struct IteratorTraits<const ModelProxy> {
    static const ModelProxy* databaseOf(const Element3DLink& link) { return link.getModelProxy(); }
    static std::unique_ptr<Element3D> read(const ModelProxy& proxy, const Element3DLink& link,
                                           const Drawing::Filter& filter);
    static std::unique_ptr<Element3D> next(const Element3DLink& position, bool forward, Drawing::Filter&) {
        const ModelProxy* proxy = position.getModelProxy();
        return proxy == nullptr ? nullptr : proxy->next(position, forward);
    }
    static const Element3DLink& linkOf(const Element3D& item) { return element3DHooks().linkOf(item); }
    static bool save(Element3D&) { return false; } // the exported model is read only
    static std::unique_ptr<Element3D> copy(const Element3D& item) { return element3DHooks().copy(item); }
};

class Model : public Drawing, public FinishLookup {
    friend class ModelProxy; // steps with the model made current
    template <class Base> class Start : public Base {
    public:
        Start() = default;
        // Placed on the given item, stepping on through its link's proxy.
        Start(std::unique_ptr<Element3D> first, const Filter& filter) {
            this->m_current = std::move(first);
            this->m_filter = filter.clone();
        }
    };

public:
    using Element3DLinks = Vector<Element3DLink>;
    using const_iterator =
        Start<ConstIterator<const ModelProxy, Element3D, Element3DLink, Filter, Element3DLinks>>;
    using const_reverse_iterator =
        Start<ConstReverseIterator<const ModelProxy, Element3D, Element3DLink, Filter, Element3DLinks>>;

    Model(Project* project, const Guid& databaseGuid);
    ~Model() override;

    // Drops the exported model and the host's model handle: the next project has its own.
    void reset() override;
    String getTypeName() const override { return String("3D Window"); }
    uint32_t getDatabaseType() const override { return DatabaseModel; }
    uint32_t getNavigatorItemType() const override { return 6; }

    virtual Plan* getPlan() const;
    // The surface of a 1-based material of the exported model; any other index (or no model) asks
    // the host's material component.
    virtual Finish getFinish(int32_t index);
    // The host's material component of the index; an unbound Finish when the host has none.
    Finish lookupFinish(int32_t index) const override;

    // The exported model, fetched once from the 3D window; null when the host has none.
    const ModelerAPI::Model* getExportedModel();
    int32_t getElementCount();
    // The exported model's box; null without a model.
    std::unique_ptr<Cube> getBounds();
    // The 3D element of a 0-based index; null without a model or past the end.
    std::unique_ptr<Element3D> getElement3D(uint32_t index);

    // The end iterator without a model, one without an item for an empty model.
    const_iterator begin(const Filter& filter);
    const_reverse_iterator rbegin(const Filter& filter);
    static const_iterator end() { return {}; }
    static const_reverse_iterator rend() { return {}; }

    // The window's camera; null when the host cannot give it.
    std::shared_ptr<Projection> getProjection() const;
    GSErrCode setProjection(const Projection& projection) const;

private:
    ModelProxy& proxy();

    std::unique_ptr<ModelerAPI::Model> m_exported;
    std::shared_ptr<const ModelerAPI::HostModelData> m_hostModel;
    std::unique_ptr<ModelProxy> m_proxy;
};

} // namespace tarnwick
