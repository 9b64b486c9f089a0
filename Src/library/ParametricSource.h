// The source of a library part that has parameters and scripts: besides the host record it holds
// the part's parameters with its default sizes A and B, read from the part's defaults on first
// use, and its sections (scripts, the parameter section, preview pictures). It reads and rewrites
// script texts, gives and sets the preview picture, and answers the values a parameter's VALUES
// statement offers in the parameter script. The library writes the sections back when it creates
// or updates the part.
#pragma once

#include <memory>

#include "library/ComponentParameterMemo.h"
#include "library/ComponentSource.h"
#include "library/PartSectionList.h"
#include "library/ValueLists.h"

namespace tarnwick {

class Image;

class ParametricSource : public ComponentSource, public ComponentParameterMemo, public ComponentResourceMemo {
public:
    ParametricSource(const HostLibPart& record, const ComponentLink& link);
    explicit ParametricSource(const ComponentLink& link);
    // Sections, parameters with A and B, and details; the VALUES lists are read again.
    ParametricSource(const ParametricSource& other);
    ~ParametricSource() override;

    std::unique_ptr<ComponentSource> clone() const override;
    // Whether the part is loaded; the parameters' own flag is Memo::isLoaded.
    using ComponentSource::isLoaded;

    // The values of the parameter's first VALUES statement in the parameter script, by the name in
    // any letter case; null when no statement names it.
    virtual const TextRecord* getValueList(const String& name);
    // "GIFF" converted to PNG by the host; null without the section or when nothing comes back.
    virtual std::unique_ptr<Image> getPreviewImage();
    // "PICT" as it is; null without it.
    virtual std::unique_ptr<Image> getPictureImage();
    // Stored as JPEG data in "GIFF"; false, changing nothing, when it cannot be encoded.
    virtual bool setPreviewImage(const Image& image);
    // Made on first use: zeroed, and filled by the host for a loaded part.
    virtual HostLibPartDetails& getDetails();

    // Sends the sections to the host in code order: rewritten in the part at its index (update),
    // else added to the part being created. "PARD" is built from the parameters and set up with
    // the details first (a "PARD" that cannot be built fails, so that no stale parameters are
    // written); entries without a handle are skipped. The host's first failure, else 0.
    GSErrCode writeSections(bool update);

    // The parameter memo's owner is the source.
    ComponentLink getComponentLink() const override { return getLink(); }
    void storeAsDefault() override {}
    void fillOwnerRecord(HostParameterOwner& record) const override;

    uint32_t getPartIndex() const override { return getIndex(); }
    double getPartA() override { return getA(); }
    double getPartB() override { return getB(); }
    const HostLibPart& getPartRecord() const override { return getRecord(); }

protected:
    // From the part's default parameters in the library; a part without them has none.
    void loadThroughOwner() override;
    bool takeParameterSection(GSHandle handle) override;
    GSErrCode buildParameterSection(GSHandle& section) override;
    void sectionChanged(uint32_t code) override;

private:
    std::unique_ptr<HostLibPartDetails> m_details;
    std::unique_ptr<ValueLists> m_values;
};

} // namespace tarnwick
