// "Find Annotation" and "Update Annotation": every annotation of the project (Find: those whose
// titles hold a text) is sent to the ZAV Annotator, which answers with the clauses as the
// specification now gives them; the palette then shows them (Update: only those that differ).
#pragma once

#include <cstdint>

#include "Environment/String.h"
#include "Environment/Subscriber.h"
#include "annotation/PaletteMode.h"
#include "platform/api/HostTypes.h"

namespace zavlink {

// Notes to the user: items of string list 32522.
inline constexpr uint32_t NoAnnotationsItem = 6; // "There aren't any ZAV annotations in this project yet"
inline constexpr uint32_t UpToDateItem = 7;
inline constexpr uint32_t NoMatchItem = 8;
inline constexpr uint32_t FindPromptItem = 9;

// The palette shows the annotations as the mode says; an empty text filters nothing.
void compareAnnotations(PaletteMode mode, const tarnwick::String& text);

class FindAnnotation : public tarnwick::Subscriber {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("FNDL")};
    static constexpr uint32_t TitleItem = 7; // of list 32520, "Find Annotation"

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override { types.push_back(Type); }
    bool receive(tarnwick::Event& event) override;
};

class UpdateAnnotation : public tarnwick::Subscriber {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("UPTL")};

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override { types.push_back(Type); }
    bool receive(tarnwick::Event& event) override;
};

} // namespace zavlink
