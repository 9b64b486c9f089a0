// Commands that carry clauses: the display commands name the clause of the selected element, a
// retrieveClause command the clauses gathered from the project.
#pragma once

#include "annotation/Annotation.h"
#include "annotation/Command.h"

namespace zavlink {

class AnnotationList;

// The annotation is written only while hasAnnotation is set: a tool sets it once it has copied
// the chosen clause in.
class AnnotatedCommand : public PathCommand {
public:
    explicit AnnotatedCommand(uint32_t commandID = 0) : PathCommand(commandID) {}
    AnnotatedCommand(const AnnotatedCommand&) = default;

    size_t getFieldCount() const override { return 4; }
    // The paths afresh, an empty annotation, hasAnnotation off.
    void reset() override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    // An "annotation" read back counts as one the command has.
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

    Annotation annotation;
    bool hasAnnotation = false;
};

class DisplayClauseCommand : public AnnotatedCommand {
public:
    static constexpr char ElementName[] = "displayClause";
    using AnnotatedCommand::AnnotatedCommand;
    std::unique_ptr<Command> clone() const override { return std::make_unique<DisplayClauseCommand>(*this); }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
};

class DisplayGuidanceCommand : public AnnotatedCommand {
public:
    static constexpr char ElementName[] = "displayGuidance";
    using AnnotatedCommand::AnnotatedCommand;
    std::unique_ptr<Command> clone() const override {
        return std::make_unique<DisplayGuidanceCommand>(*this);
    }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
};

class DisplayManufacturerCommand : public AnnotatedCommand {
public:
    static constexpr char ElementName[] = "displayManufacturerInfo";
    using AnnotatedCommand::AnnotatedCommand;
    std::unique_ptr<Command> clone() const override {
        return std::make_unique<DisplayManufacturerCommand>(*this);
    }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
};

// Ships a list that the caller owns and that must outlive the command (and its clones). Making
// the command leaves the list as it is; only an explicit reset empties it.
class RetrieveClauseCommand : public PathCommand {
public:
    static constexpr char ElementName[] = "retrieveClause";

    RetrieveClauseCommand(AnnotationList& list, uint32_t commandID) : PathCommand(commandID), m_list(&list) {}
    RetrieveClauseCommand(const RetrieveClauseCommand&) = default;

    std::unique_ptr<Command> clone() const override { return std::make_unique<RetrieveClauseCommand>(*this); }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
    size_t getFieldCount() const override { return 4; }
    // Empties the referenced list; the paths stay.
    void reset() override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    // Knows "annotations" alone: read back, the command takes its clauses, not its commandID or
    // paths.
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

    AnnotationList& getList() const { return *m_list; }

private:
    AnnotationList* m_list;
};

} // namespace zavlink
