// The library manager's sections, details and new parts: a part's section list and sections (a
// text section handed out as text), sections rewritten in a part or added to the part being made,
// the parameter section "PARD" built from parameter records and set up with a part's details,
// parts created (with the file location their record names) and saved (replacing the part of
// their name only while "OWLP" allows it), and the conversion of preview pictures to PNG
// ("CMPI"). Each function may be failed on purpose through the host's faults.
#include <algorithm>
#include <cstring>

#include "CallForwarding.h"
#include "LibraryCalls.h"
#include "ModelCalls.h"
#include "ObjectSettings.h"
#include "ParamSections.h"
#include "RecordFields.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/graphics/GXImage.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {

using forwarding::host;
using forwarding::logged;

template <class Call> GSErrCode forward(const char* function, Call call) {
    StandInHost* h = host();
    if (h == nullptr) return hosterr::Failed;
    std::string brief;
    Project* project = model::project(*h, brief);
    GSErrCode err = project == nullptr ? hosterr::NoProject : call(*h, *project, brief);
    return logged(function, std::move(brief), err);
}

std::string codeText(uint32_t code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[i] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
    return text;
}

bool isTextSection(uint32_t code) {
    static const char* const texts[] = {"CTXT", "1DSC", "2DSC", "3DSC", "BMSC",
                                        "CPYR", "FMSC", "PRSC", "UISC", "VLSC"};
    return std::any_of(std::begin(texts), std::end(texts),
                       [code](const char* t) { return codeText(code) == t; });
}

LibraryPart* partAt(Project& project, int32_t libIndex) {
    LibraryPart* part = libIndex > 0 ? project.library.edit(static_cast<uint32_t>(libIndex)) : nullptr;
    return part != nullptr && !part->unreadable ? part : nullptr;
}

std::string newUnId() {
    return "{" + model::guidText(newGuid()) + "}-{" + model::guidText(newGuid()) + "}";
}

// Takes a section into a part: text from the text, other sections from a live handle; "PARD" also
// becomes the part's parameters, sizes and details.
GSErrCode takeSection(LibraryPart& part, const HostLibPartSection* header, GSHandle data,
                      const GS::UniString* text, std::string& brief) {
    if (header == nullptr) return hosterr::BadParameter;
    LibrarySection section;
    section.code = header->code;
    section.text = isTextSection(header->code);
    brief += " " + inQuotes(codeText(header->code));
    if (section.text) {
        if (text == nullptr) return hosterr::BadParameter;
        section.bytes = GS::Utf16ToUtf8(text->Text());
    } else {
        if (data == nullptr || !BMIsLiveHandle(data)) return hosterr::BadParameter;
        section.bytes.assign(*data, static_cast<size_t>(BMHandleSize(data)));
    }
    if (section.code == fourCC("PARD")) {
        std::string why;
        std::optional<ParamSection> read = readParamSection(section.bytes, &why);
        if (!read) {
            brief += ": " + why;
            return hosterr::BadParameter;
        }
        part.parameters = std::move(read->records);
        part.a = read->a;
        part.b = read->b;
        part.firstDetail = read->firstDetail;
        part.thirdDetail = read->thirdDetail;
    }
    brief += " " + std::to_string(section.bytes.size()) + " bytes";
    part.setSection(std::move(section));
    return hosterr::Ok;
}

GSErrCode getSectionList(int32_t libIndex, int32_t* count, GSHandle* sections) {
    return forward("GetLibPartSectionList", [&](StandInHost&, Project& project, std::string& brief) {
        brief = std::to_string(libIndex);
        if (count == nullptr || sections == nullptr) return hosterr::BadParameter;
        *count = 0;
        *sections = nullptr;
        const LibraryPart* part = partAt(project, libIndex);
        if (part == nullptr) return hosterr::BadIndex;
        *sections = BMNewHandle(static_cast<GSSize>(part->sections.size() * sizeof(HostLibPartSection)));
        if (*sections == nullptr) return hosterr::MemoryFull;
        for (size_t i = 0; i < part->sections.size(); ++i) {
            HostLibPartSection header;
            header.code = part->sections[i].code;
            std::memcpy(**sections + i * sizeof header, &header, sizeof header);
        }
        *count = static_cast<int32_t>(part->sections.size());
        brief += " => " + std::to_string(*count);
        return hosterr::Ok;
    });
}

GSErrCode getSection(int32_t libIndex, const HostLibPartSection* header, GSHandle* data,
                     GS::UniString* text) {
    return forward("GetLibPartSection", [&](StandInHost&, Project& project, std::string& brief) {
        brief = std::to_string(libIndex);
        if (header == nullptr || data == nullptr) return hosterr::BadParameter;
        *data = nullptr;
        brief += " " + inQuotes(codeText(header->code));
        const LibraryPart* part = partAt(project, libIndex);
        if (part == nullptr) return hosterr::BadIndex;
        const LibrarySection* section = part->section(header->code);
        if (section == nullptr || section->missing) return hosterr::NoSection;
        if (section->text && text != nullptr) {
            *text = GS::UniString(GS::Utf8ToUtf16(section->bytes));
            brief += " => text";
            return hosterr::Ok;
        }
        *data = BMNewHandle(static_cast<GSSize>(section->bytes.size()));
        if (*data == nullptr) return hosterr::MemoryFull;
        std::memcpy(**data, section->bytes.data(), section->bytes.size());
        brief += " => " + std::to_string(section->bytes.size()) + " bytes";
        return hosterr::Ok;
    });
}

GSErrCode updateSection(int32_t libIndex, const HostLibPartSection* header, GSHandle data,
                        const GS::UniString* text) {
    return forward("UpdateLibPartSection", [&](StandInHost&, Project& project, std::string& brief) {
        brief = std::to_string(libIndex);
        LibraryPart* part = partAt(project, libIndex);
        if (part == nullptr) return hosterr::BadIndex;
        GSErrCode err = takeSection(*part, header, data, text, brief);
        if (err == hosterr::Ok) ++part->version;
        return err;
    });
}

GSErrCode addSection(const HostLibPartSection* header, GSHandle data, const GS::UniString* text) {
    return forward("AddLibPartSection", [&](StandInHost& h, Project&, std::string& brief) {
        std::optional<LibraryPart>& open = h.libraryDesk().openPart;
        brief = open ? inQuotes(open->name) : "no part is open";
        if (!open) return hosterr::Refused;
        return takeSection(*open, header, data, text, brief);
    });
}

GSErrCode buildParamSection(GSHandle parameters, double a, double b, GSHandle* section) {
    return forward("BuildLibPartParamSection", [&](StandInHost&, Project&, std::string& brief) {
        if (section == nullptr) return hosterr::BadParameter;
        *section = nullptr;
        bool foreign = false;
        std::optional<StoredBlock> records = copyBlock(parameters, Nesting::Parameters, &foreign);
        if (foreign || (records && records->isPointer) ||
            (records && records->bytes.size() % sizeof(HostAdditionalParameter) != 0))
            return hosterr::BadParameter;
        const std::string bytes = buildParamSectionBytes(records, a, b);
        *section = BMNewHandle(static_cast<GSSize>(bytes.size()));
        if (*section == nullptr) return hosterr::MemoryFull;
        std::memcpy(**section, bytes.data(), bytes.size());
        brief = std::to_string(records ? records->bytes.size() / sizeof(HostAdditionalParameter) : 0) +
                " parameters => " + std::to_string(bytes.size()) + " bytes";
        return hosterr::Ok;
    });
}

GSErrCode setupParamSection(const HostLibPart* record, GSHandle section, const HostLibPartDetails* details) {
    return forward("SetupLibPartParamSection", [&](StandInHost&, Project&, std::string& brief) {
        if (record == nullptr || details == nullptr || section == nullptr || !BMIsLiveHandle(section))
            return hosterr::BadParameter;
        brief = inQuotes(textOf(record->documentName));
        HostParamSectionHeader header;
        if (static_cast<size_t>(BMHandleSize(section)) < sizeof header) return hosterr::BadParameter;
        std::memcpy(static_cast<void*>(&header), *section, sizeof header);
        if (header.signature != HostParamSectionHeader().signature) return hosterr::BadParameter;
        header.firstDetail = details->firstDetail;
        header.thirdDetail = details->thirdDetail;
        std::memcpy(*section, static_cast<const void*>(&header), sizeof header);
        return hosterr::Ok;
    });
}

GSErrCode createPart(HostLibPart* record) {
    return forward("CreateLibPart", [&](StandInHost& h, Project& project, std::string& brief) {
        if (record == nullptr) return hosterr::BadParameter;
        LibraryDesk& desk = h.libraryDesk();
        LibraryPart part;
        part.type = record->typeCode;
        part.name = textOf(record->documentName);
        part.fileName = textOf(record->fileName);
        if (part.fileName.empty()) part.fileName = part.name + ".gsm";
        part.ownId = textOf(record->ownUnId);
        part.parentId = textOf(record->parentUnId);
        part.ownerId = record->ownerId;
        // Where the part's file goes, when the caller says.
        if (record->location != nullptr) part.path = record->location->ToPath();
        brief = inQuotes(part.name) + " type " + std::to_string(part.type);
        if (!part.path.empty()) brief += " at " + inQuotes(part.path);
        if (desk.openPart) {
            brief += ": " + inQuotes(desk.openPart->name) + " is open";
            return hosterr::Refused;
        }
        if (part.name.empty() || part.type == 0) return hosterr::BadParameter;
        const uint32_t existing = project.library.findByName(part.name, 0);
        if (existing != 0 && !desk.overwrite) {
            brief += ": part " + std::to_string(existing) + " has that name";
            return hosterr::Refused;
        }
        desk.replacing = existing;
        desk.openPart = std::move(part);
        return hosterr::Ok;
    });
}

GSErrCode savePart(HostLibPart* record) {
    return forward("SaveLibPart", [&](StandInHost& h, Project& project, std::string& brief) {
        if (record == nullptr) return hosterr::BadParameter;
        LibraryDesk& desk = h.libraryDesk();
        if (!desk.openPart) {
            brief = "no part is open";
            return hosterr::Refused;
        }
        LibraryPart part = std::move(*desk.openPart);
        desk.openPart.reset();
        LibraryManager& library = project.library;
        const LibraryPart* old = desk.replacing != 0 ? library.part(desk.replacing) : nullptr;
        // Unique ids stay unique: a part made from another's source gets an id of its own.
        const uint32_t holder = part.ownId.empty() ? 0 : library.findByOwnId(part.ownId);
        if (part.ownId.empty() || (holder != 0 && holder != desk.replacing))
            part.ownId = old != nullptr ? old->ownId : newUnId();
        part.version = static_cast<uint16_t>(old != nullptr ? old->version + 1 : 1);
        uint32_t index = desk.replacing;
        brief = inQuotes(part.name) + " with " + std::to_string(part.sections.size()) + " sections";
        if (index != 0)
            library.replace(index, std::move(part));
        else
            index = library.add(std::move(part));
        desk.replacing = 0;
        fillLibPartRecord(*library.part(index), index, record);
        brief += " => " + std::to_string(index);
        return hosterr::Ok;
    });
}

GSErrCode getDetails(int32_t libIndex, HostLibPartDetails* details) {
    return forward("GetLibPartDetails", [&](StandInHost&, Project& project, std::string& brief) {
        brief = std::to_string(libIndex);
        if (details == nullptr) return hosterr::BadParameter;
        const LibraryPart* part = partAt(project, libIndex);
        if (part == nullptr) return hosterr::BadIndex;
        *details = HostLibPartDetails();
        details->firstDetail = part->firstDetail;
        details->thirdDetail = part->thirdDetail;
        brief += " => " + std::to_string(part->firstDetail) + ", " + std::to_string(part->thirdDetail);
        return hosterr::Ok;
    });
}

// "CMPI": PNG or JPEG data decoded by the image codecs and written as PNG.
GSErrCode convertImage(SelectorCall& call) {
    auto* conversion = static_cast<HostImageConversion*>(call.args[0]);
    if (conversion == nullptr || conversion->targetMime == nullptr) return hosterr::BadParameter;
    conversion->result = nullptr;
    const std::string target(conversion->targetMime, strnlen(conversion->targetMime, 64));
    call.brief = inQuotes(target) + " " + std::to_string(conversion->setting1) + " " +
                 std::to_string(conversion->setting2);
    if (target != "image/png" || conversion->source == nullptr || !BMIsLiveHandle(conversion->source))
        return hosterr::BadParameter;
    GX::ImageType type = GX::ImageType::PNG;
    if (GX::ImageBase::GetType(conversion->source, &type) != hosterr::Ok || type == GX::ImageType::BMP)
        return hosterr::BadParameter;
    const GX::Image image(conversion->source, type);
    if (image.IsEmpty()) return hosterr::BadParameter;
    return image.ToEncodedData(GX::ImageType::PNG, GX::OwnDepth, &conversion->result);
}

} // namespace

void registerLibrarySectionSelectors(StandInHost& h) {
    h.environmentCalls().add("OWLP", [&h](SelectorCall& call) {
        h.libraryDesk().overwrite = model::valueArgument(call.args[0]) != 0;
        call.brief = h.libraryDesk().overwrite ? "on" : "off";
        return hosterr::Ok;
    });
    h.utilityCalls().add("CMPI", [](SelectorCall& call) { return convertImage(call); });
    registerObjectSettings(h);
}

void fillLibrarySectionFunctions(HostFunctionTable* table) {
    table->GetLibPartSectionList = getSectionList;
    table->GetLibPartSection = getSection;
    table->UpdateLibPartSection = updateSection;
    table->AddLibPartSection = addSection;
    table->BuildLibPartParamSection = buildParamSection;
    table->SetupLibPartParamSection = setupParamSection;
    table->CreateLibPart = createPart;
    table->SaveLibPart = savePart;
    table->GetLibPartDetails = getDetails;
}

} // namespace zavhost
