#include "DemoModel3D.h"

#include <memory>

#include "Environment/Host.h"
#include "Environment/NumberText.h"
#include "geometry/Cube.h"
#include "geometry/Projection.h"
#include "platform/modeler/Model.h"
#include "project/Model.h"
#include "project/Project.h"

#include "DemoEdits.h"

namespace demo {

using namespace tarnwick;

namespace {

String pointText(const CadPoint& p) {
    return String("(") + String(realToText(p.getX(), 0.001)) + ", " + String(realToText(p.getY(), 0.001)) +
           ", " + String(realToText(p.getZ(), 0.001)) + ")";
}

String finishesOf(Model& model, int32_t count) {
    String list;
    for (int32_t index = 1; index <= count; ++index) {
        Finish finish = model.getFinish(index);
        if (!list.isEmpty()) list += ", ";
        list += finish.getName();
        if (finish.hasTexture()) {
            String textured = text(137);
            textured.replaceAll(String("$1"), finish.getTextureName());
            list += String(" ") + textured;
        }
    }
    return list.isEmpty() ? text(133) : list;
}

String cameraOf(const Model& model) {
    std::shared_ptr<Projection> camera = model.getProjection();
    if (!camera) return text(136);
    String said = text(dynamic_cast<PerspectiveProjection*>(camera.get()) != nullptr ? 134 : 135);
    said.replaceAll(String("$1"), pointText(camera->getCameraPosition()));
    return said;
}

} // namespace

String describeModel3D() {
    Project* project = Host::getProject();
    Model* model = project == nullptr ? nullptr : project->getModel();
    if (model == nullptr) return text(132);
    // Read afresh: the user may have changed the model since the last look.
    model->reset();
    const ModelerAPI::Model* exported = model->getExportedModel();
    if (exported == nullptr) return text(132);
    String said = text(131);
    said.replaceAll(String("$1"), String(intToText(model->getElementCount())));
    std::unique_ptr<Cube> bounds = model->getBounds();
    said.replaceAll(String("$2"),
                    bounds ? pointText(bounds->getMin()) + " - " + pointText(bounds->getMax()) : text(133));
    said.replaceAll(String("$3"), finishesOf(*model, exported->GetMaterialCount()));
    said.replaceAll(String("$4"), cameraOf(*model));
    return said;
}

} // namespace demo
