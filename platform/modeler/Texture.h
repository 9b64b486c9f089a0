// A texture of an exported 3D model: its name, its size on the surface, mirroring, and its
// pixel map, four bytes a pixel (red, green, blue, alpha), rows top to bottom. The pixel count
// is the map's own and need not be width × height: a reader copies no more than it has room
// for.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/api/HostTypes.h"
#include "platform/gsroot/UniString.h"

namespace ModelerAPI {

class HOSTLIB_API Texture {
public:
    struct Pixel {
        uint8_t red = 0;
        uint8_t green = 0;
        uint8_t blue = 0;
        uint8_t alpha = 0;

        bool operator==(const Pixel&) const = default;
    };

    Texture() = default;

    const GS::UniString& GetName() const { return m_name; }
    // False when the texture's picture could not be found; its pixel map is then empty.
    bool IsAvailable() const { return m_available; }
    bool IsMirroredInX() const { return m_mirroredX; }
    bool IsMirroredInY() const { return m_mirroredY; }
    // The size of one repetition on the surface, in model units.
    double GetXSize() const { return m_xSize; }
    double GetYSize() const { return m_ySize; }

    int32_t GetPixelMapSize() const { return static_cast<int32_t>(m_pixels.size()); }
    int32_t GetPixelMapXSize() const { return m_pixelXSize; }
    int32_t GetPixelMapYSize() const { return m_pixelYSize; }
    // GetPixelMapSize pixels; null when there are none.
    const Pixel* GetPixelMap() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }

    // The exporting side's setters.
    void SetName(const GS::UniString& name) { m_name = name; }
    void SetAvailable(bool available) { m_available = available; }
    void SetMirrored(bool inX, bool inY) {
        m_mirroredX = inX;
        m_mirroredY = inY;
    }
    void SetSize(double xSize, double ySize) {
        m_xSize = xSize;
        m_ySize = ySize;
    }
    // The map's sides are kept as given, even when the pixel count differs from their product.
    void SetPixelMap(int32_t xSize, int32_t ySize, std::vector<Pixel> pixels) {
        m_pixelXSize = xSize;
        m_pixelYSize = ySize;
        m_pixels = std::move(pixels);
    }

private:
    GS::UniString m_name;
    bool m_available = true;
    bool m_mirroredX = false;
    bool m_mirroredY = false;
    double m_xSize = 1.0;
    double m_ySize = 1.0;
    int32_t m_pixelXSize = 0;
    int32_t m_pixelYSize = 0;
    std::vector<Pixel> m_pixels;
};

static_assert(sizeof(Texture::Pixel) == 4);

} // namespace ModelerAPI
