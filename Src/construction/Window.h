// A host window (type 4): the joinery whose library part is a window part (kind 2). Its
// quantities are the window fields of the host's quantity block, each asked for alone.
#pragma once

#include "construction/Joinery.h"
#include "platform/api/LibraryRecords.h"

namespace tarnwick {

class Window : public Joinery {
public:
    static constexpr uint8_t TypeCode = HostWindowTypeCode;
    static constexpr uint32_t ComponentKind = LibPartWindow;

    // A new window of the part, on the host's default settings.
    explicit Window(const ComponentLink& component);
    // The host's default window with its part and that part's parameters.
    Window();
    Window(const API_Element& record, const ElementLink& link);
    Window(const Window& other) = default;
    ~Window() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Window>(*this); }
    // Kind 0 stands for a window part; a part of any other kind is refused and nothing changes.
    void setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) override;
    // The host's default window; a window that names its part keeps it. False when the host has
    // no defaults.
    virtual bool resetToDefaults();
};

// The factory's creator of windows; null for a record of another type.
std::unique_ptr<Element> createWindow(const API_Element& record, ElementLink& link);

} // namespace tarnwick
