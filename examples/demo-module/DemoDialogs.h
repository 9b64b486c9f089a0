// The demonstration's dialogs: a modal dialog that asks for a name, and a palette of tools.
#pragma once

#include <memory>

namespace demo {

// Asks for a name and greets it in an alert; an empty name keeps the dialog open.
void askName();

// The palette of tools: one button greets, one closes the palette from its own handler, one
// removes itself. The palette lives as long as the add-on.
class ToolPalette;
class Tools {
public:
    Tools();
    ~Tools();
    Tools(const Tools&) = delete;
    Tools& operator=(const Tools&) = delete;
    void show();
    void hide();

private:
    std::unique_ptr<ToolPalette> m_palette;
};

} // namespace demo
