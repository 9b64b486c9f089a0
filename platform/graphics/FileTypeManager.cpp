#include "FileTypeManager.h"

#include "GXImage.h"

namespace FTM {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] - 'A' + 'a') : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

} // namespace

TypeID FileTypeManager::SearchForMime(std::string_view mimeType) {
    struct Known {
        std::string_view mime;
        GX::ImageType type;
    };
    static constexpr Known known[] = {{"image/png", GX::ImageType::PNG},
                                      {"image/jpeg", GX::ImageType::JPEG},
                                      {"image/bmp", GX::ImageType::BMP}};
    for (const Known& k : known)
        if (sameIgnoringCase(mimeType, k.mime)) return TypeID(k.type);
    return UnknownType;
}

} // namespace FTM
