#include "annotation/ReviewAnnotation.h"

#include "Environment/DataFile.h"
#include "Environment/FileReplacement.h"
#include "Environment/Host.h"
#include "annotation/CommandList.h"
#include "annotation/PlaceAnnotation.h"
#include "annotation/Readiness.h"
#include "annotation/Request.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ToolFailure.h"
#include "annotation/ZAVLinkPrefs.h"
#include "persistence/XMLTypeProxy.h"
#include "persistence/XMLWriter.h"
#include "project/Alert.h"
#include "project/ProgressWindow.h"
#include "project/Project.h"

namespace zavlink {

using namespace tarnwick;

namespace {
constexpr char ModelPathName[] = "modelPath";
constexpr char ZavPathName[] = "zavPath";
} // namespace

AnnotatedModel::AnnotatedModel() : XMLAssembly(String(ElementName)) {}

void AnnotatedModel::reset() {
    modelPath.clear();
    annotations.reset();
}

std::unique_ptr<XMLShipping> AnnotatedModel::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly) return nullptr;
    if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&modelPath, String(ModelPathName));
    if (index == 1) return std::make_unique<XMLArrayProxy>(annotations);
    return nullptr;
}

AnnotationReport::AnnotationReport() : XMLAssembly(String(ElementName)) {}

void AnnotationReport::reset() {
    zavPath.clear();
    model.reset();
}

std::unique_ptr<XMLShipping> AnnotationReport::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly) return nullptr;
    if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&zavPath, String(ZavPathName));
    if (index == 1) return std::make_unique<XMLAssemblyProxy>(model);
    return nullptr;
}

bool AnnotationReport::fill(ProgressMonitor* progress) {
    zavPath.clear();
    model.modelPath.clear();
    const ZAVLinkPrefs* prefs = projectPrefs();
    if (prefs == nullptr) return false;
    zavPath = prefs->specificationPath;
    Project* project = Host::getProject();
    std::unique_ptr<DataFile> file = project != nullptr ? project->getFile() : nullptr;
    if (!file) return false;
    model.modelPath = file->getPath();
    (void)model.annotations.collectProject(progress);
    return true;
}

namespace {
// A specification that bears the report's own extension would be written over.
bool isReportName(const String& name) {
    const size_t dot = name.findLastOf(String("."));
    return dot != String::npos && name.substring(dot + 1).toLower() == AnnotationReport::Extension;
}
} // namespace

std::unique_ptr<FileReplacement> AnnotationReport::reportFile(const String& specificationPath) {
    const DataFile specification(specificationPath);
    std::unique_ptr<Directory> folder = specification.getDirectory();
    const String name = specification.getName();
    const size_t dot = name.findLastOf(String("."));
    // No stem, no report.
    if (!folder || dot == String::npos || dot == 0 || isReportName(name)) return nullptr;
    // The folder and the name come from the project or the Annotator: what stands at the report's
    // name is replaced only when it is a file, and never written through.
    return std::make_unique<FileReplacement>(*folder, name.substring(0, dot + 1) + Extension, String(".tmp"));
}

String AnnotationReport::reportPath(const String& specificationPath) {
    std::unique_ptr<FileReplacement> file = reportFile(specificationPath);
    return file ? file->getPath() : String();
}

bool AnnotationReport::write(FileReplacement& file) {
    return XMLWriter::writeFile(*this, file);
}

bool ReviewAnnotation::receive(Event&) {
    Drawing* current = currentDatabaseOrTell();
    if (current == nullptr) return true;
    String program;
    String specification;
    if (checkReady(program, specification, false)) (void)review();
    (void)Host::setCurrentDatabase(current);
    return true;
}

bool ReviewAnnotation::review() {
    // The report lists the clauses, not the user's decisions to ignore their changes.
    ShipIsAccepted shipped(false);
    std::shared_ptr<ProgressMonitor> progress =
        ProgressWindow::create(Host::getResourceString(CollectPhaseTexts, ProgressTitleItem), ProgressPhases);
    AnnotationReport report;
    const HostFailureWatch watch;
    const bool filled = report.fill(progress.get());
    // A project the host would not let be read whole would give a report that leaves out what
    // it holds, or say that it holds nothing.
    if (watch.any()) {
        progress.reset();
        (void)tellHostFailure(watch);
        return false;
    }
    if (!filled) return false;
    if (report.model.annotations.empty()) {
        progress.reset();
        NotifyAlert().show(Host::getResourceString(ClickPrompts, NoAnnotationsItem));
        return false;
    }
    // A specification whose name gives no report name has no report, as it always had.
    std::unique_ptr<FileReplacement> file = AnnotationReport::reportFile(report.zavPath);
    if (!file) return false;
    if (!report.write(*file)) {
        progress.reset();
        tellFileNotWritten(*file);
        return false;
    }
    CommandList list;
    list.append(std::make_unique<ReviewAnnotationCommand>(SentCommandID));
    list.setProgress(progress);
    return sendCommands(list);
}

} // namespace zavlink
