// Elements are classes of the element model, above the project model; the drawings still hand
// them out in unique_ptrs. Deleting one goes through the deleter the element model installs, so
// that a unique_ptr<Element> can be destroyed where Element is incomplete. Include this before any
// use of std::unique_ptr<Element>.
#pragma once

#include <memory>
#include <type_traits>

namespace tarnwick {

class Element;

using ElementDeleter = void (*)(Element* element) noexcept;
// Installed once, when the program's element model is loaded.
void installElementDeleter(ElementDeleter deleter);
void deleteElement(Element* element) noexcept;

} // namespace tarnwick

template <> struct std::default_delete<tarnwick::Element> {
    constexpr default_delete() noexcept = default;
    // From the deleter of a class derived from Element, so that unique_ptrs convert as usual.
    template <class Derived, class = std::enable_if_t<std::is_convertible_v<Derived*, tarnwick::Element*>>>
    default_delete(const std::default_delete<Derived>&) noexcept {}
    void operator()(tarnwick::Element* element) const noexcept { tarnwick::deleteElement(element); }
};
