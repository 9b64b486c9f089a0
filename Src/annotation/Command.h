// The commands the product sends to the ZAV Annotator: each is one element of the command file,
// named after what it asks for, carrying the commandID its answer will repeat.
#pragma once

#include <cstdint>
#include <memory>

#include "persistence/Shipping.h"

namespace zavlink {

class Command {
public:
    explicit Command(uint32_t commandID = 0) : m_commandID(commandID) {}
    Command(const Command&) = default;
    Command& operator=(const Command&) = default;
    virtual ~Command() = default;

    virtual std::unique_ptr<Command> clone() const = 0;
    virtual uint32_t getCommandID() const { return m_commandID; }
    virtual size_t getFieldCount() const { return 1; }
    virtual tarnwick::String getElementName() const = 0;
    virtual void setCommandID(uint32_t commandID) { m_commandID = commandID; }
    virtual void reset() { m_commandID = 0; }
    // Knows only the names of this level.
    virtual std::unique_ptr<tarnwick::XMLShipping> lookupFieldProxy(const tarnwick::String& name);
    // Index 0 is commandID, an attribute, so it is given to the attributes-only pass as well.
    virtual std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly);
    virtual std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name);

private:
    uint32_t m_commandID;
};

// A command that names the project's specification and the project file, as far as they are
// known when it is made; an unknown path is sent as an empty text.
class PathCommand : public Command, public tarnwick::XMLAssembly {
public:
    explicit PathCommand(uint32_t commandID = 0);
    PathCommand(const PathCommand&) = default;

    tarnwick::String getElementName() const override = 0;
    size_t getFieldCount() const override { return 3; }
    // Command's reset, then both paths afresh from the current project.
    void reset() override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

    const tarnwick::String& getZavPath() const { return m_zavPath; }
    const tarnwick::String& getModelPath() const { return m_modelPath; }
    void setZavPath(const tarnwick::String& path) { m_zavPath = path; }
    void setModelPath(const tarnwick::String& path) { m_modelPath = path; }

protected:
    // The specification path from the project's preferences, the model path from its file.
    void fillPaths();

private:
    tarnwick::String m_zavPath;
    tarnwick::String m_modelPath;
};

class ReviewAnnotationCommand : public PathCommand {
public:
    static constexpr char ElementName[] = "displayReport";
    using PathCommand::PathCommand;
    std::unique_ptr<Command> clone() const override {
        return std::make_unique<ReviewAnnotationCommand>(*this);
    }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
};

class SelectAnnotationCommand : public PathCommand {
public:
    static constexpr char ElementName[] = "selectAnnotation";
    using PathCommand::PathCommand;
    std::unique_ptr<Command> clone() const override {
        return std::make_unique<SelectAnnotationCommand>(*this);
    }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
};

// Asks the user to choose a specification file; it names no paths.
class SelectSpecificationCommand : public Command, public tarnwick::XMLAssembly {
public:
    static constexpr char ElementName[] = "selectSpecification";
    using Command::Command;

    std::unique_ptr<Command> clone() const override {
        return std::make_unique<SelectSpecificationCommand>(*this);
    }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
    size_t getFieldCount() const override { return Command::getFieldCount(); }
    void reset() override { Command::reset(); }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return Command::makeFieldProxy(index, attributesOnly);
    }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override {
        return Command::makeFieldProxyByName(name);
    }
};

} // namespace zavlink
