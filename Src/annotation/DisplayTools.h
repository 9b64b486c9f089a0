// "View Clause", "Guidance Notes" and "Manufacturer Info": each asks the ZAV Annotator to show
// something of the selected annotation in its own window. The command is sent and not waited for.
#pragma once

#include <memory>

#include "Environment/Subscriber.h"
#include "annotation/AnnotatedCommand.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {
class Drawing;
}

namespace zavlink {

// The first annotation collected from the selection (labels before texts) goes with the command.
class DisplayTool : public tarnwick::Subscriber {
public:
    static constexpr uint32_t NoClauseItem = 5; // of string list 32524: "Please select a clause ..."

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override { types.push_back(m_type); }
    // Handled whatever came of it; the view the user started in stays current.
    bool receive(tarnwick::Event& event) override;

    // Sends the command for the selection of the drawing, or tells the user that there is
    // nothing to show; false when nothing was sent.
    bool display(tarnwick::Drawing& drawing) const;

protected:
    explicit DisplayTool(tarnwick::EventType type) : m_type(type) {}
    virtual std::unique_ptr<AnnotatedCommand> makeCommand() const = 0;
    // True when the command means nothing without a clause: the user hears so and nothing is sent.
    virtual bool needsAnnotation() const { return false; }

private:
    tarnwick::EventType m_type;
};

class DisplayClause : public DisplayTool {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("VWCL")};
    DisplayClause() : DisplayTool(Type) {}

protected:
    std::unique_ptr<AnnotatedCommand> makeCommand() const override;
    bool needsAnnotation() const override { return true; }
};

class DisplayGuidance : public DisplayTool {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("GDNC")};
    DisplayGuidance() : DisplayTool(Type) {}

protected:
    std::unique_ptr<AnnotatedCommand> makeCommand() const override;
};

class DisplayManufacturer : public DisplayTool {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("MANU")};
    DisplayManufacturer() : DisplayTool(Type) {}

protected:
    std::unique_ptr<AnnotatedCommand> makeCommand() const override;
};

} // namespace zavlink
