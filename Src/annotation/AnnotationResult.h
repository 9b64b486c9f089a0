// The answers that carry clauses: the one the user picked, and the clauses the specification now
// gives for those sent. The received flag tells that the answer held the member at all; only
// the reader's by-name lookup sets it, so writing a result or walking its members never does.
#pragma once

#include "annotation/Annotation.h"
#include "annotation/AnnotationList.h"
#include "annotation/Result.h"

namespace zavlink {

class RetrieveAnnotationResult : public Result, public tarnwick::XMLAssembly {
public:
    static constexpr char ElementName[] = "retrieveClause";

    std::unique_ptr<Result> clone() const override {
        return std::make_unique<RetrieveAnnotationResult>(*this);
    }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
    size_t getFieldCount() const override { return 3; }
    void reset() override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

    bool isReceived() const { return m_received; }

    AnnotationList annotations;

private:
    bool m_received = false;
};

class SelectAnnotationResult : public Result, public tarnwick::XMLAssembly {
public:
    static constexpr char ElementName[] = "selectAnnotation";

    std::unique_ptr<Result> clone() const override { return std::make_unique<SelectAnnotationResult>(*this); }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
    size_t getFieldCount() const override { return 3; }
    void reset() override;
    // A cancel passes whatever the annotation holds; anything else needs a clause number.
    bool afterRead() override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

    bool isReceived() const { return m_received; }

    Annotation annotation;

private:
    bool m_received = false;
};

} // namespace zavlink
