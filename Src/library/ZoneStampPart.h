// The zone stamp of a zone category: the stamp's library part (a zone part of the project's
// library) and its parameters, which the category's definition holds once it is stored.
#pragma once

#include "library/ComponentLink.h"
#include "library/ParameterMemo.h"
#include "project/ZoneStamp.h"

namespace tarnwick {

class ZoneStampPart : public ZoneStamp {
public:
    explicit ZoneStampPart(const Attribute& category) : m_parameters(category) {}

    std::unique_ptr<ZoneStamp> clone() const override { return std::make_unique<ZoneStampPart>(*this); }
    void attach(const Attribute& category) override { m_parameters.attach(category); }
    void resolve(const String& name) override;
    AttributeMemoPtr makeMemo() const override;

    const ComponentLink& getLink() const { return m_link; }
    // Loaded from the category's definition on first use.
    ParameterMemo& getParameters() { return m_parameters; }

    // The maker installed at module start.
    static std::unique_ptr<ZoneStamp> make(const Attribute& category);

private:
    class Parameters : public ParameterMemo {
    public:
        explicit Parameters(const Attribute& category) : m_category(&category) {}
        void attach(const Attribute& category) { m_category = &category; }
        void load(Element&, MemoStore*&) override {}
        using ParameterMemo::readParameters;
        using ParameterMemo::writeParameters;

    protected:
        // The parameters the category's stored definition holds.
        void loadThroughOwner() override;

    private:
        const Attribute* m_category;
    };

    ComponentLink m_link;
    mutable Parameters m_parameters;
};

} // namespace tarnwick
