// A result file: the ZAV Annotator's answers, one per command, in file order. The reader makes
// each result from the prototype of its element name; names without one are skipped.
#pragma once

#include <memory>

#include "Environment/Containers.h"
#include "Environment/Event.h"
#include "annotation/Result.h"
#include "persistence/Shipping.h"

namespace zavlink {

class ResultList : public tarnwick::Message, public tarnwick::XMLArray, public tarnwick::Vector<Result> {
public:
    static constexpr char ElementName[] = "zavResult";

    ResultList();
    // Clones the results.
    ResultList(const ResultList& other);
    ResultList& operator=(const ResultList&) = delete;
    ~ResultList() override = default;

    std::shared_ptr<tarnwick::Message> clone() const override { return std::make_shared<ResultList>(*this); }

    // The prototypes the reader makes results from: a retrieveClause, a selectAnnotation and a
    // selectSpecification result, each with commandID 0. Built once while the exchange listens;
    // without them every result element is skipped.
    static inline std::unique_ptr<tarnwick::Vector<Result>> Index;
    static void buildIndex(); // keeps an index already built
    static void releaseIndex() { Index.reset(); }

    const tarnwick::String& getParent() const { return m_parent; }
    const tarnwick::String& getVersion() const { return m_version; }
    void setParent(const tarnwick::String& parent) { m_parent = parent; }
    void setVersion(const tarnwick::String& version) { m_version = version; }

    // Clears parent and version; the results stay.
    void reset() override;
    size_t getFieldCount() const override { return size() + 2; }
    // 0 parent and 1 version (attributes), then the results.
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;
    // Appends a clone of the first prototype of that element name and ships it; none otherwise.
    std::unique_ptr<tarnwick::XMLShipping> makeMember(const tarnwick::String& name) override;

private:
    tarnwick::String m_parent;
    tarnwick::String m_version;
};

// Keeps the last result list delivered to it; other messages leave it as it was.
class ResultReceiver : public tarnwick::Receiver {
public:
    void receive(std::shared_ptr<tarnwick::Message> message) override;
    const std::shared_ptr<ResultList>& getResults() const { return m_results; }

private:
    std::shared_ptr<ResultList> m_results;
};

} // namespace zavlink
