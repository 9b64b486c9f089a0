// The demonstration's dialogs: a modal dialog that asks for a name, the framework's text request,
// and a palette of tools.
#pragma once

#include <memory>

namespace demo {

// Asks for a name and greets it in an alert, formally when the user ticked so; an empty name
// keeps the dialog open.
void askName();

// Asks for a text to find (two characters at least, not only blanks) and says in an alert what was
// asked, or that the user cancelled.
void findNote();

// Asks for a name with the text request's own title and prompt, starting from "Untitled", and
// says the name, or that it stays after a cancel.
void nameSomething();

// The palette of tools: one button greets, one closes the palette from its own handler, one
// removes itself; a tree of notes, filled each time the palette opens, and a button that reports
// its selection. The palette lives as long as the add-on.
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
