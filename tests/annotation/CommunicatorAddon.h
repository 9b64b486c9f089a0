// The product's add-on with its preferences and only the Communicator: what an exchange with the
// ZAV Annotator needs, without the tools that would answer the menu.
#pragma once

#include <memory>

#include "annotation/Communicator.h"
#include "annotation/ZAVLinkAddon.h"
#include "annotation/ZAVLinkPrefs.h"

namespace annotationtest {

inline tarnwick::Addon* makeCommunicatorAddon() {
    auto* made = new zavlink::ZAVLinkAddon();
    zavlink::ZAVLinkPrefs defaults;
    made->registerPackage(defaults, 0);
    made->addTool(std::make_unique<zavlink::Communicator>());
    made->addSubscriber(made->getTools()[0]);
    return made;
}

} // namespace annotationtest
