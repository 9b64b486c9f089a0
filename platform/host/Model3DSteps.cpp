// The scenario words of the 3D window: an element's extent and surface, a surface's texture.
#include "Model3DSteps.h"

#include <cstring>

#include "Project.h"
#include "ScenarioLine.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

bool parse3DStep(LineReader& in, ModelArgs& args) {
    if (in.word("element")) {
        args.verb = "3d element";
        args.texts.push_back(in.text("the element's label"));
        while (!in.atEnd()) {
            std::string word = in.anyWord("bottom, top or surface");
            if (word == "surface")
                args.options[word] = in.text("the surface's name");
            else if (word == "bottom" || word == "top")
                args.options[word] = std::to_string(in.real("a level"));
            else
                throw LineError{"expected bottom, top or surface, not \"" + word + "\""};
        }
        return true;
    }
    if (in.word("texture")) {
        args.verb = "3d texture";
        args.texts.push_back(in.text("the surface's name"));
        args.texts.push_back(in.text("the texture's name"));
        args.numbers.push_back(static_cast<double>(in.number("a width", 0, 4096)));
        args.numbers.push_back(static_cast<double>(in.number("a height", 0, 4096)));
        while (!in.atEnd()) {
            if (in.word("missing")) {
                args.flags.insert("missing");
            } else if (in.word("file")) {
                args.options["file"] = in.text("the texture file's path");
            } else {
                std::string pixel = in.anyWord("a pixel RRGGBBAA");
                if (pixel.size() != 8 ||
                    pixel.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                    throw LineError{"expected a pixel RRGGBBAA, not \"" + pixel + "\""};
                args.options["pixels"] += pixel;
            }
        }
        return true;
    }
    return false;
}

GSErrCode act3D(const ModelArgs& args, Project& project, const StoredElement* element, std::string* why) {
    AttributeStore& attributes = project.model.attributes;
    Model3DStore& store = project.model.model3d;
    if (args.verb == "3d element") {
        if (element == nullptr) return hosterr::NotFound;
        ElementExtent3D& extent = store.extents[element->guid()];
        auto option = [&](const char* word) { return args.options.count(word) != 0; };
        if (option("bottom")) extent.bottom = std::stod(args.options.at("bottom"));
        if (option("top")) extent.top = std::stod(args.options.at("top"));
        if (option("surface")) {
            extent.surface = attributes.search(AttrSurface, args.options.at("surface"));
            if (extent.surface == 0)
                return *why = "no surface is named " + args.options.at("surface"), hosterr::NotFound;
        }
        return hosterr::Ok;
    }
    const int16_t index = attributes.search(AttrSurface, args.texts[0]);
    StoredAttribute* stored = attributes.edit(AttrSurface, index);
    if (stored == nullptr) return *why = "no surface is named " + args.texts[0], hosterr::NotFound;
    HostSurface& surface = stored->record.surface;
    surface.textureFlags = static_cast<int16_t>(surface.textureFlags | SurfaceHasTexture);
    surface.textureMissing = args.flags.count("missing") != 0 ? 1 : 0;
    surface.textureXSize = surface.textureXSize == 0.0 ? 1.0 : surface.textureXSize;
    surface.textureYSize = surface.textureYSize == 0.0 ? 1.0 : surface.textureYSize;
    std::u16string name = GS::Utf8ToUtf16(args.texts[1]);
    std::memset(surface.textureName, 0, sizeof surface.textureName);
    std::memcpy(surface.textureName, name.data(), std::min<size_t>(name.size(), 255) * sizeof(char16_t));
    if (args.options.count("file") != 0) stored->texturePath = args.options.at("file");
    TexturePixels pixels;
    pixels.width = static_cast<int32_t>(args.numbers[0]);
    pixels.height = static_cast<int32_t>(args.numbers[1]);
    auto hex = args.options.find("pixels");
    if (hex != args.options.end())
        for (size_t i = 0; i + 2 <= hex->second.size(); i += 2)
            pixels.rgba.push_back(static_cast<char>(std::stoul(hex->second.substr(i, 2), nullptr, 16)));
    store.textures[index] = std::move(pixels);
    return hosterr::Ok;
}

} // namespace zavhost
