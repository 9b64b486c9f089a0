#include "platform/graphics/TEFont.h"

namespace TE {

Font::Font(const GS::UniString& name, double size) : m_name(name), m_size(size > 0.0 ? size : DefaultSize) {}

} // namespace TE
