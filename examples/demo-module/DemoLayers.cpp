#include "DemoLayers.h"

#include <memory>

#include "Environment/Host.h"
#include "Environment/NumberText.h"
#include "Environment/Transaction.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "project/AttributeSelection.h"
#include "project/LayerCombination.h"
#include "project/Specification.h"

#include "DemoEdits.h"

namespace demo {

using namespace tarnwick;

namespace {

bool sameState(const Layer::Status& a, const Layer::Status& b) {
    return a.getFlags() == b.getFlags() && a.getConnectionClass() == b.getConnectionClass();
}

class RememberLayers : public Transaction {
public:
    RememberLayers() : Transaction(text(121)) {}

    GSErrCode run() override {
        Specification* database = Host::getSpecification();
        if (database == nullptr) return hosterr::NoProject;
        const String name = text(122);
        std::unique_ptr<LayerCombination> combination;
        AttributeLink link(name, AttrLayerCombination, database);
        if (link.getIndex() != 0) {
            std::unique_ptr<Attribute> found = database->get(link);
            if (dynamic_cast<LayerCombination*>(found.get()) != nullptr)
                combination.reset(static_cast<LayerCombination*>(found.release()));
        }
        auto now = std::make_unique<LayerMap>(true);
        AttributeSelection<Layer> layers;
        layers.collect(database->begin(Specification::Filter(AttrLayer, true), false), Specification::end());
        count = layers.size();
        if (combination) {
            remembered = true;
            if (const LayerMap* before = combination->getLayerMap())
                for (const Layer* layer : layers)
                    changed += sameState(before->getStatus(*layer), now->getStatus(*layer)) ? 0 : 1;
        } else {
            combination = std::make_unique<LayerCombination>();
            combination->setName(name);
        }
        combination->setLayerMap(std::move(now));
        return database->store(*combination) ? hosterr::Ok : hosterr::Failed;
    }

    size_t count = 0;
    size_t changed = 0;
    bool remembered = false;
};

} // namespace

void rememberLayers() {
    RememberLayers remember;
    if (!Host::runTransaction(remember)) {
        NotifyAlert().show(text(125));
        return;
    }
    String said = text(remember.remembered ? 124 : 123);
    said.replaceAll(String("$1"), String(uintToText(remember.count)));
    said.replaceAll(String("$2"), text(122));
    said.replaceAll(String("$3"), String(uintToText(remember.changed)));
    NotifyAlert().show(said);
}

} // namespace demo
