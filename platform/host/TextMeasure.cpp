#include "TextMeasure.h"

#include <cmath>
#include <cstdio>

#include "ModelCalls.h"
#include "Project.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/api/TextRecords.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

double characterFactor(char32_t c) {
    static constexpr std::u32string_view narrow = U" .,:;!'|ijltfI";
    static constexpr std::u32string_view wide = U"mwMW@";
    if (narrow.find(c) != std::u32string_view::npos) return 0.5;
    if (wide.find(c) != std::u32string_view::npos) return 1.5;
    if (c >= U'A' && c <= U'Z') return 1.2;
    return 1.0;
}

double fontFactor(std::string_view fontName) {
    return fontName.find("Mono") != std::string_view::npos ? 0.6 : 0.5;
}

double textWidth(std::u16string_view text, double size, std::string_view fontName) {
    bool mono = fontName.find("Mono") != std::string_view::npos;
    double sum = 0.0;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        // A surrogate pair is one character.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[++i]) - 0xDC00);
        sum += mono ? 1.0 : characterFactor(c);
    }
    return size * fontFactor(fontName) * sum;
}

void registerTextSelectors(StandInHost& host) {
    host.utilityCalls().add("GTLL", [&host](SelectorCall& call) {
        if (call.args[0] == nullptr || call.args[1] == nullptr)
            return call.brief = "null argument", hosterr::BadParameter;
        const auto* query = static_cast<const HostTextLengthQuery*>(call.args[0]);
        call.brief = "font " + std::to_string(query->font);
        if (query->text == nullptr) return call.brief += ": null text", hosterr::BadParameter;
        if (!std::isfinite(query->size) || query->size < 0.0)
            return call.brief += ": bad size", hosterr::BadParameter;
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        const StoredAttribute* font =
            project->model.attributes.find(AttrFont, static_cast<int16_t>(query->font));
        if (font == nullptr) return call.brief += ": no such font", hosterr::BadIndex;
        double width = textWidth(query->text->Text(), query->size, font->name());
        char answer[64];
        std::snprintf(answer, sizeof answer, " => %g", width);
        call.brief += " size " + std::to_string(query->size) + " " + inQuotes(query->text->ToCStr()) + answer;
        *static_cast<double*>(call.args[1]) = width;
        return hosterr::Ok;
    });
}

} // namespace zavhost
