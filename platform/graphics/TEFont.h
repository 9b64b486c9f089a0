// The host text engine's font: a face name and a size in points. The default font is the
// host's user-interface face at its usual size.
#pragma once

#include "platform/api/HostTypes.h"
#include "platform/gsroot/UniString.h"

namespace TE {

class HOSTLIB_API Font {
public:
    static constexpr double DefaultSize = 10.0;

    Font() : m_name(u"Default"), m_size(DefaultSize) {}
    // A size that is not a positive number gives the default size.
    Font(const GS::UniString& name, double size);

    const GS::UniString& GetName() const { return m_name; }
    double GetSize() const { return m_size; }

private:
    GS::UniString m_name;
    double m_size;
};

} // namespace TE
