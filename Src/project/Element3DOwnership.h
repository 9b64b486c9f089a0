// The 3D window hands out Element3D objects, a class of the element model above the project
// model. What it needs of them goes through hooks the element model installs when it is linked,
// so that a unique_ptr<Element3D> can be made, copied and destroyed where Element3D is incomplete.
// Include this before any use of std::unique_ptr<Element3D>.
#pragma once

#include <memory>
#include <type_traits>

namespace ModelerAPI {
class Model;
}

namespace tarnwick {

class Element3D;
class Element3DLink;

struct Element3DHooks {
    void (*destroy)(Element3D* item) noexcept = nullptr;
    // The element of the link's 3D index in the exported model.
    std::unique_ptr<Element3D> (*make)(const Element3DLink& link, const ModelerAPI::Model& model) = nullptr;
    std::unique_ptr<Element3D> (*copy)(const Element3D& item) = nullptr;
    const Element3DLink& (*linkOf)(const Element3D& item) = nullptr;
};

void installElement3DHooks(const Element3DHooks& hooks);
// Throws std::logic_error when the element model is not linked: a program built without it.
const Element3DHooks& element3DHooks();

} // namespace tarnwick

template <> struct std::default_delete<tarnwick::Element3D> {
    constexpr default_delete() noexcept = default;
    void operator()(tarnwick::Element3D* item) const noexcept {
        if (item != nullptr) tarnwick::element3DHooks().destroy(item);
    }
};
