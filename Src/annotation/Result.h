// What the ZAV Annotator answers to one command: the commandID it answers, a status code and,
// in the concrete results, what was asked for. A result's element name is its command's.
#pragma once

#include <cstdint>
#include <memory>

#include "annotation/Status.h"
#include "persistence/Shipping.h"

namespace zavlink {

class Result {
public:
    Result() = default;
    Result(const Result&) = default;
    Result& operator=(const Result&) = default;
    virtual ~Result() = default;

    virtual std::unique_ptr<Result> clone() const = 0;
    virtual uint32_t getCommandID() const { return m_commandID; }
    virtual uint32_t getError() const { return m_error; }
    virtual size_t getFieldCount() const { return 2; }
    virtual tarnwick::String getElementName() const = 0;
    virtual void setCommandID(uint32_t commandID) { m_commandID = commandID; }
    virtual void setError(uint32_t error) { m_error = error; }
    virtual void reset() { m_commandID = 0; }
    // Knows only the names of this level.
    virtual std::unique_ptr<tarnwick::XMLShipping> lookupFieldProxy(const tarnwick::String& name);
    // 0 commandID and 1 error, both attributes and left out while 0; 2 is the concrete member.
    virtual std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly);
    virtual std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name);

protected:
    void resetResult() {
        m_commandID = 0;
        m_error = Status::noError;
    }

private:
    uint32_t m_commandID = 0;
    uint32_t m_error = Status::noError;
};

// The specification file the user chose.
class SelectSpecificationResult : public Result, public tarnwick::XMLAssembly {
public:
    static constexpr char ElementName[] = "selectSpecification";

    std::unique_ptr<Result> clone() const override {
        return std::make_unique<SelectSpecificationResult>(*this);
    }
    tarnwick::String getElementName() const override { return tarnwick::String(ElementName); }
    size_t getFieldCount() const override { return 3; }
    void reset() override;
    // A choice needs a path; a cancel needs none.
    bool afterRead() override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

    const tarnwick::String& getZavPath() const { return m_zavPath; }
    void setZavPath(const tarnwick::String& path) { m_zavPath = path; }

private:
    tarnwick::String m_zavPath;
};

} // namespace zavlink
