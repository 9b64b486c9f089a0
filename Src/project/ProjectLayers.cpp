// The layer checks of the project's tools and the add-on user data of elements.
#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "project/Alert.h"
#include "project/ElementLink.h"
#include "project/ElementMemo.h"
#include "project/Layer.h"
#include "project/Project.h"
#include "project/Specification.h"

namespace tarnwick {

namespace {
enum StringItem : uint32_t {
    CancelItem = 6,
    HiddenItem = 11,
    LockedItem = 12,
    NotInWorkspaceItem = 13,
    MissingItem = 14,
    ShowLayerItem = 15,
    UnlockLayerItem = 16,
    EditingItem = 17,
    ChooseLayerItem = 18,
};
// The user chose another layer this often without anything changing: the loop ends.
constexpr int maximumRounds = 16;

String text(uint32_t item) {
    return Host::getResourceString(Host::FrameworkTexts, item);
}

bool usable(const Layer& layer) {
    return layer.exists() && !layer.isHidden() && !layer.isLocked() && !layer.isNotInWorkspace();
}

// The layer of the tool's default element; false when the host cannot read the default.
bool readDefaultLayer(const ElementLink& tool, int16_t& layerIndex) {
    auto element = std::make_unique<API_Element>();
    tool.writeHeader(element->head, false);
    if (readDefaultElement(*element, nullptr) != hosterr::Ok) return false;
    layerIndex = static_cast<int16_t>(element->head.layer);
    return true;
}
} // namespace

int Project::checkLayer(Layer& layer, bool quiet) {
    if (usable(layer)) return 2;
    if (quiet) return 0;
    uint32_t message = HiddenItem;
    String third;
    if (!layer.exists()) {
        message = MissingItem;
    } else if (layer.isNotInWorkspace()) {
        message = NotInWorkspaceItem;
    } else if (layer.isLocked()) {
        message = LockedItem;
        third = text(UnlockLayerItem);
    } else {
        third = text(ShowLayerItem);
    }
    String shown = text(message);
    shown.replaceAll(String("$1"), layer.getName());
    CustomAlert alert(text(EditingItem), text(ChooseLayerItem), text(CancelItem), third);
    switch (alert.show(shown)) {
    case 1:
        return 1;
    case 3: {
        uint16_t flags = layer.getFlags();
        layer.setHidden(false);
        layer.setLocked(false);
        if (m_specification->store(layer)) return 2;
        // The host did not take it: the layer is as unusable as before.
        layer.setFlags(flags);
        return 0;
    }
    default:
        return 0;
    }
}

bool Project::checkToolLayer(const ElementLink& tool, bool quiet, bool* hostFailed) {
    bool unused = false;
    bool& failed = hostFailed != nullptr ? *hostFailed : unused;
    failed = false;
    int16_t layerIndex = 0;
    if (!readDefaultLayer(tool, layerIndex)) return !(failed = true);
    uint16_t seenFlags = 0;
    for (int round = 0; round < maximumRounds; ++round) {
        Layer layer(AttributeLink(layerIndex, AttrLayer, m_specification.get()));
        switch (checkLayer(layer, quiet)) {
        case 2:
            return true;
        case 1:
            break;
        default:
            return false;
        }
        seenFlags = layer.getFlags();
        int16_t reread = 0;
        if (!Host::setDefaultType(tool) || !readDefaultLayer(tool, reread)) return !(failed = true);
        // Choosing changed nothing: the same alert would come back for ever.
        Layer again(AttributeLink(reread, AttrLayer, m_specification.get()));
        if (reread == layerIndex && again.getFlags() == seenFlags && again.exists() == layer.exists())
            return false;
        layerIndex = reread;
    }
    return false;
}

std::unique_ptr<MemoryBlock> Project::getElementUserData(const ElementLink& link, uint32_t* flags,
                                                         uint32_t* version, uint32_t* platform) const {
    HostElementHead header;
    link.writeHeader(header, false);
    HostUserData record;
    GSErrCode err = ACAPGetElementUserData(&header, &record);
    bool success = err == hosterr::Ok || err == hosterr::NoUserData;
    if (!success) {
        freeHandle(record.dataHandle);
        record = HostUserData();
    }
    if (flags != nullptr) *flags = record.flags;
    if (version != nullptr) *version = static_cast<uint16_t>(record.version);
    if (platform != nullptr) *platform = record.platformSign;
    return success ? std::make_unique<MemoryBlock>(record.dataHandle) : nullptr;
}

bool Project::setElementUserData(const ElementLink& link, MemoryBlock* data, bool keepEmpty, uint32_t flags,
                                 uint16_t version, uint16_t platform) const {
    HostElementHead header;
    link.writeHeader(header, false);
    GSErrCode err;
    if (data != nullptr && (keepEmpty || data->getSize() > 0)) {
        HostUserData record;
        record.version = static_cast<int16_t>(version);
        record.platformSign = platform;
        record.flags = flags;
        record.dataHandle = data->getHandle();
        err = ACAPSetElementUserData(&header, &record);
    } else {
        err = ACAPClearElementUserData(&header);
    }
    return err == hosterr::Ok || err == hosterr::NoUserData;
}

} // namespace tarnwick
