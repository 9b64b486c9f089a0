#include "annotation/Annotation.h"

#include <string_view>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/Host.h"
#include "Environment/MemoryBlock.h"
#include "elements/Element.h"
#include "elements/text/TextMemo.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLTypeProxy.h"
#include "persistence/XMLWriter.h"
#include "project/Drawing.h"
#include "project/Project.h"
#include "project/Storey.h"

namespace zavlink {

using tarnwick::String;
using tarnwick::XMLShipping;
using tarnwick::XMLTypeProxy;

namespace {

bool acceptedShipped = false;

constexpr tarnwick::LiteralName memberNames[] = {
    tarnwick::LiteralName("section"),
    tarnwick::LiteralName("code"),
    tarnwick::LiteralName("number"),
    tarnwick::LiteralName("revision"),
    tarnwick::LiteralName("zavTitle"),
    tarnwick::LiteralName("hiddenNumber"),
    tarnwick::LiteralName("originalDisplayTitle"),
    tarnwick::LiteralName("modelDisplayTitle"),
    tarnwick::LiteralName("hasBeenReassigned"),
    tarnwick::LiteralName("isAccepted"),
};
constexpr size_t memberCount = sizeof memberNames / sizeof memberNames[0];

// The clause part: everything the XML carries.
void copyClause(Annotation& to, const Annotation& from) {
    to.section = from.section;
    to.revision = from.revision;
    to.zavTitle = from.zavTitle;
    to.originalDisplayTitle = from.originalDisplayTitle;
    to.modelDisplayTitle = from.modelDisplayTitle;
    to.code = from.code;
    to.number = from.number;
    to.hiddenNumber = from.hiddenNumber;
    to.hasBeenReassigned = from.hasBeenReassigned;
    to.isAccepted = from.isAccepted;
}

tarnwick::Project* currentProject() {
    return tarnwick::Host::hasProject() ? tarnwick::Host::getProject() : nullptr;
}

} // namespace

String getStatusText(uint32_t status) {
    if (status > StatusIgnored) return String();
    return tarnwick::Host::getResourceString(AnnotationStatusTexts, status + 1);
}

bool isAcceptedShipped() {
    return acceptedShipped;
}

ShipIsAccepted::ShipIsAccepted(bool on) : m_previous(acceptedShipped) {
    acceptedShipped = on;
}

ShipIsAccepted::~ShipIsAccepted() {
    acceptedShipped = m_previous;
}

Annotation::Annotation() : XMLAssembly(String(ElementName)) {}

void Annotation::reset() {
    links.clear();
    section.clear();
    revision.clear();
    zavTitle.clear();
    originalDisplayTitle.clear();
    modelDisplayTitle.clear();
    code.clear();
    number.clear();
    hiddenNumber.clear();
    hasBeenReassigned = false;
    isAccepted = false;
}

bool Annotation::afterRead() {
    static const String blanks(" \t\r\n");
    for (String* text : {&section, &revision, &zavTitle, &originalDisplayTitle, &modelDisplayTitle, &code,
                         &number, &hiddenNumber})
        text->trim(blanks);
    return !number.isEmpty();
}

std::unique_ptr<XMLShipping> Annotation::makeFieldProxy(size_t index, bool attributesOnly) {
    return tarnwick::ProxySlot::owned(
        [&](tarnwick::ProxySlot& slot) { return placeFieldProxy(index, attributesOnly, slot); });
}

std::unique_ptr<XMLShipping> Annotation::makeFieldProxyByName(const String& name) {
    return tarnwick::ProxySlot::owned(
        [&](tarnwick::ProxySlot& slot) { return placeFieldProxyByName(name, slot); });
}

XMLShipping* Annotation::placeFieldProxy(size_t index, bool attributesOnly, tarnwick::ProxySlot& slot) {
    if (attributesOnly || index >= memberCount) return nullptr;
    const tarnwick::LiteralName tag = memberNames[index];
    switch (index) {
    case 0:
        return slot.make<XMLTypeProxy<String>>(&section, tag);
    case 1:
        return slot.make<XMLTypeProxy<String>>(&code, tag);
    case 2:
        return slot.make<XMLTypeProxy<String>>(&number, tag);
    case 3:
        return slot.make<XMLTypeProxy<String>>(&revision, tag);
    case 4:
        return slot.make<XMLTypeProxy<String>>(&zavTitle, tag);
    case 5:
        return slot.make<XMLTypeProxy<String>>(&hiddenNumber, tag);
    case 6:
        return slot.make<XMLTypeProxy<String>>(&originalDisplayTitle, tag);
    case 7:
        return slot.make<XMLTypeProxy<String>>(&modelDisplayTitle, tag);
    case 8:
        return slot.make<XMLTypeProxy<bool>>(&hasBeenReassigned, tag);
    default: {
        auto* proxy = slot.make<XMLTypeProxy<bool>>(&isAccepted, tag);
        proxy->setEnabled(acceptedShipped);
        return proxy;
    }
    }
}

XMLShipping* Annotation::placeFieldProxyByName(const String& name, tarnwick::ProxySlot& slot) {
    static const tarnwick::FieldNameTable names(memberNames);
    const size_t index = names.find(name.view());
    return index < memberCount ? placeFieldProxy(index, false, slot) : nullptr;
}

uint32_t Annotation::getStatus() const {
    if (getLinkCount() == 0) return isAccepted ? StatusIgnored : StatusCurrent;
    bool anyNotCurrent = false;
    uint32_t deciding = StatusIgnored;
    for (const auto& [drawing, list] : links)
        for (const AnnotationLink& link : list) {
            const uint32_t status = link.getStatus();
            if (status == StatusCurrent) continue;
            anyNotCurrent = true;
            if (status != StatusIgnored) deciding = status;
        }
    return anyNotCurrent ? deciding : StatusCurrent;
}

bool Annotation::needsUpdate() const {
    const uint32_t status = getStatus();
    return status != StatusCurrent && status != StatusIgnored;
}

size_t Annotation::getLinkCount() const {
    size_t count = 0;
    for (const auto& [drawing, list] : links)
        count += list.size();
    return count;
}

void Annotation::addLink(const AnnotationLink& link, const tarnwick::Storey* storey) {
    tarnwick::DatabaseRef key = link.getHome();
    if (storey != nullptr) key.setStorey(*storey);
    links[key].push_back(link);
}

bool Annotation::keepIgnoredLinks() {
    for (auto& [drawing, list] : links)
        std::erase_if(list, [](const AnnotationLink& link) { return link.getStatus() != StatusIgnored; });
    std::erase_if(links, [](const auto& entry) { return entry.second.empty(); });
    return !links.empty();
}

bool Annotation::readFromElement(tarnwick::Element& element) {
    uint32_t version = 0;
    uint32_t platform = 0;
    std::unique_ptr<tarnwick::MemoryBlock> data = element.readUserData(version, platform);
    if (!data || data->isEmpty() || data->getSize() <= 0) return false;
    if (!readFromBlock(*data)) return false;
    if (auto* memo = dynamic_cast<tarnwick::TextMemo*>(&element)) {
        const tarnwick::StyledString& text = memo->getText();
        // A text the host did not hand out is not an empty one: the title stored stands for it.
        if (memo->isLoaded()) modelDisplayTitle = String(text);
    }
    return true;
}

bool Annotation::readFromBlock(const tarnwick::MemoryBlock& block) {
    const char* bytes = block.getData();
    if (bytes == nullptr || block.getSize() <= 0) return false;
    std::string_view text(bytes, static_cast<size_t>(block.getSize()));
    // A writer that ends the text with its terminator leaves NULs that are no part of the XML.
    while (!text.empty() && text.back() == '\0')
        text.remove_suffix(1);
    Annotation read;
    String source(text);
    tarnwick::DataBufferIn in(source);
    tarnwick::XMLReader reader(in);
    if (!reader.read(read)) return false;
    copyClause(*this, read);
    return true;
}

std::unique_ptr<tarnwick::MemoryBlock> Annotation::writeToBlock(bool withIsAccepted) {
    ShipIsAccepted ship(withIsAccepted);
    auto block = std::make_unique<tarnwick::MemoryBlock>();
    tarnwick::DataBufferOut out;
    if (!out.open(*block)) return nullptr;
    tarnwick::XMLWriter writer(out);
    const bool written = writer.write(*this, false, 1, true, true);
    if (!out.close() || !written) return nullptr;
    return block;
}

bool Annotation::compareWith(const Annotation& returned) {
    outdatedLinkCount = 0;
    tarnwick::Project* project = currentProject();
    for (auto& [key, list] : links) {
        tarnwick::Drawing* drawing = project != nullptr ? project->getDrawing(key) : nullptr;
        for (AnnotationLink& link : list) {
            if (link.getStatus() == StatusIgnored) continue;
            std::unique_ptr<tarnwick::Element> element = drawing != nullptr ? drawing->get(link) : nullptr;
            Annotation shown;
            // The clause came back, so what cannot be read now is unknown, never deleted: an
            // Update deletes only elements of removed clauses.
            if (!element || !shown.readFromElement(*element)) {
                link.setStatus(StatusUnknown);
            } else if (shown.isAccepted) {
                link.setStatus(StatusIgnored);
            } else {
                const bool same = shown.section == returned.section && shown.revision == returned.revision &&
                                  shown.zavTitle == returned.zavTitle &&
                                  shown.modelDisplayTitle == returned.originalDisplayTitle &&
                                  shown.code == returned.code && shown.number == returned.number;
                link.setStatus(same ? StatusCurrent : StatusChanged);
            }
            if (link.getStatus() != StatusCurrent && link.getStatus() != StatusIgnored) ++outdatedLinkCount;
        }
    }
    if (!needsUpdate()) return false;
    const Annotation kept(*this);
    copyClause(*this, returned);
    isAccepted = kept.isAccepted;
    return true;
}

uint32_t Annotation::restoreIgnored() {
    uint32_t restored = 0;
    tarnwick::Project* project = currentProject();
    if (project == nullptr) return 0;
    for (auto& [key, list] : links) {
        tarnwick::Drawing* drawing = project->getDrawing(key);
        if (drawing == nullptr) continue;
        for (const AnnotationLink& link : list) {
            if (link.getStatus() != StatusIgnored) continue;
            std::unique_ptr<tarnwick::Element> element = drawing->get(link);
            if (!element) continue;
            Annotation shown;
            if (!shown.readFromElement(*element) || !shown.isAccepted) continue;
            std::unique_ptr<tarnwick::MemoryBlock> block = shown.writeToBlock(false);
            if (block && element->storeUserData(*block, 0, false, AnnotationUserDataFlags)) ++restored;
        }
    }
    return restored;
}

bool Annotation::operator<(const Annotation& other) const {
    if (int order = section.compare(other.section); order != 0) return order < 0;
    if (int order = code.compare(other.code); order != 0) return order < 0;
    return revision.compare(other.revision) < 0;
}

} // namespace zavlink
