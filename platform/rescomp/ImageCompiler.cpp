#include "ImageCompiler.h"

#include "LineWords.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

namespace rescomp {

namespace {

const char* const form = "expected 'icon|picture <id> 96|192 \"file\"'";

// Judged by the signature alone: the dialog manager decodes the image when it is shown.
bool looksLikeAnImage(const std::vector<unsigned char>& bytes) {
    static const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto startsWith = [&](const unsigned char* prefix, size_t size) {
        return bytes.size() >= size && std::equal(prefix, prefix + size, bytes.begin());
    };
    static const unsigned char jpeg[] = {0xFF, 0xD8, 0xFF};
    static const unsigned char bmp[] = {'B', 'M'};
    return startsWith(png, sizeof png) || startsWith(jpeg, sizeof jpeg) || startsWith(bmp, sizeof bmp);
}

std::string kindName(const ImageResource& image) {
    return image.icon ? "icon" : "picture";
}

} // namespace

bool isImageSource(std::string_view source) {
    std::string_view word = firstWord(source);
    return word == "icon" || word == "picture";
}

bool parseImages(std::string_view source, const std::string& fileName, std::vector<ImageResource>& images,
                 std::vector<Diagnostic>& errors) {
    bool ok = true;
    auto error = [&](int line, std::string message) {
        errors.push_back(Diagnostic{fileName, line, std::move(message)});
        ok = false;
    };
    for (int number = 1;; ++number) {
        size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        std::vector<Word> words;
        std::string problem = checkLineCharacters(line);
        if (problem.empty()) problem = splitWords(line, words);
        if (!problem.empty()) {
            error(number, problem);
        } else if (!words.empty()) {
            ImageResource image;
            int64_t id = 0;
            int64_t dpi = 0;
            if (words[0].quoted || (words[0].text != "icon" && words[0].text != "picture")) {
                error(number, form);
            } else if (words.size() != 4) {
                error(number, std::string(form) + ", not " + std::to_string(words.size()) + " words");
            } else if (!readInteger(words[1], 1, maxImageId, id)) {
                error(number, "an image id must be a number from 1 to " + std::to_string(maxImageId) +
                                  ", not '" + words[1].text + "'");
            } else if (!readInteger(words[2], 96, 192, dpi) || (dpi != 96 && dpi != 192)) {
                error(number, "an image is drawn for 96 or 192 dots per inch, not '" + words[2].text + "'");
            } else if (!words[3].quoted || words[3].text.empty()) {
                error(number, "the image file must be given as a quoted, non-empty text");
            } else {
                image.icon = words[0].text == "icon";
                image.id = static_cast<int32_t>(id);
                image.dpi = static_cast<int32_t>(dpi);
                image.path = words[3].text;
                image.file = fileName;
                image.line = number;
                images.push_back(std::move(image));
            }
        }
        if (end == std::string_view::npos) break;
        source.remove_prefix(end + 1);
    }
    return ok;
}

bool loadImages(std::vector<ImageResource>& images, std::vector<Diagnostic>& errors) {
    bool ok = true;
    for (ImageResource& image : images) {
        auto error = [&](const std::string& message) {
            errors.push_back(Diagnostic{image.file, image.line, "'" + image.path + "' " + message});
            ok = false;
        };
        std::filesystem::path path(image.path);
        if (path.is_relative()) path = std::filesystem::path(image.file).parent_path() / path;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            error("is no file (looked for " + path.string() + ")");
            continue;
        }
        uintmax_t size = std::filesystem::file_size(path, ec);
        if (ec || size > maxImageBytes) {
            error("is larger than " + std::to_string(maxImageBytes) + " bytes");
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        image.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in && !in.eof()) {
            error("cannot be read");
        } else if (image.bytes.size() != size) {
            error("changed while it was read");
        } else if (!looksLikeAnImage(image.bytes)) {
            error("is not a PNG, JPEG or BMP file");
        }
    }
    return ok;
}

bool checkUniqueImages(const std::vector<ImageResource>& images, std::vector<Diagnostic>& errors) {
    std::map<std::tuple<bool, int32_t, int32_t>, const ImageResource*> first;
    bool ok = true;
    for (const ImageResource& image : images) {
        auto [it, added] = first.emplace(std::make_tuple(image.icon, image.id, image.dpi), &image);
        if (added) continue;
        errors.push_back(Diagnostic{image.file, image.line,
                                    kindName(image) + " " + std::to_string(image.id) + " at " +
                                        std::to_string(image.dpi) + " dpi is already given at " +
                                        it->second->file + ":" + std::to_string(it->second->line)});
        ok = false;
    }
    return ok;
}

const char* imageResourceType(const ImageResource& image) {
    if (image.icon) return image.dpi == 192 ? "GIC2" : "GICN";
    return image.dpi == 192 ? "GPI2" : "GPIC";
}

} // namespace rescomp
