// "Review Annotation": every annotation of the project written into a report beside the
// specification ("<specification's stem>.zavrpt"), which the ZAV Annotator is then asked to show.
// The report is sent and not waited for.
#pragma once

#include <memory>

#include "Environment/String.h"
#include "Environment/Subscriber.h"
#include "annotation/AnnotationList.h"
#include "persistence/Shipping.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {
class FileReplacement;
class ProgressMonitor;
} // namespace tarnwick

namespace zavlink {

// The project file and its annotations: "model" with "modelPath" and "annotations".
class AnnotatedModel : public tarnwick::XMLAssembly {
public:
    static constexpr char ElementName[] = "model";

    AnnotatedModel();

    // An empty path and no annotations.
    void reset() override;
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;

    tarnwick::String modelPath;
    AnnotationList annotations;
};

// "zavReport" with "zavPath" and the model.
class AnnotationReport : public tarnwick::XMLAssembly {
public:
    static constexpr char ElementName[] = "zavReport";
    static constexpr char Extension[] = "zavrpt";

    AnnotationReport();

    void reset() override;
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;

    // The specification path from the project's preferences, the project file's path, and every
    // annotation of the project. False, with nothing collected, without preferences, project or
    // project file; true once the collection ran, even when it found nothing.
    bool fill(tarnwick::ProgressMonitor* progress);

    // The report file for the specification: its name up to the last "." and the extension, in
    // the specification's folder, written through "NAME.zavrpt.tmp" beside it. Null when the name
    // has no stem, and for a specification that is itself named so, which the report would replace.
    static std::unique_ptr<tarnwick::FileReplacement> reportFile(const tarnwick::String& specificationPath);
    // reportFile's path; empty where it gives none.
    static tarnwick::String reportPath(const tarnwick::String& specificationPath);
    // The report, with the declaration and indented, written whole in the file's place. False when
    // it could not be: a link or anything but a file at its name (file's refused path), or the
    // disk would not take it; the file is then as it was.
    bool write(tarnwick::FileReplacement& file);

    tarnwick::String zavPath;
    AnnotatedModel model;
};

class ReviewAnnotation : public tarnwick::Subscriber {
public:
    static constexpr tarnwick::EventType Type{fourCC("ZAVL"), fourCC("RVWA")};
    static constexpr uint32_t ProgressTitleItem = 4; // of string list 32520: "Review Annotation"
    static constexpr int16_t ProgressPhases = 3;
    static constexpr uint32_t NoAnnotationsItem = 6; // of string list 32522

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override { types.push_back(Type); }
    // Handled whatever came of it; the view the user started in stays current.
    bool receive(tarnwick::Event& event) override;

    // Collects, writes and sends the report; false when nothing was sent. A report that cannot be
    // written, and a project without annotations, are told; a specification whose name gives no
    // report name is not.
    static bool review();
};

} // namespace zavlink
