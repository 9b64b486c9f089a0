// Services of the operating system: the user data folder, the shell, the registry, the mouse.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Directory.h"
#include "Environment/String.h"

namespace tarnwick {

class SystemServices {
public:
    static constexpr uint16_t PlatformSign = 0x5757;
    static constexpr size_t RegistryBufferSize = 1024;

    // The host's per-user data folder (created when missing); null when the host has none.
    static std::unique_ptr<Directory> getUserDataFolder();
    // Where the host keeps that folder, whether or not it is there or could be made; empty when
    // the host names none. For messages about what could not be made.
    static String getUserDataFolderPath();

    // One argument of a command line, enclosed in double quotes so that the started program's
    // start-up code splits out exactly the text: a quote inside is escaped with a backslash, and
    // the backslashes before a quote, or before the closing one, are doubled.
    static String quoteArgument(const String& text);

    // Opens the file with the shell's "open" verb, window shown normally, without waiting.
    // True only when the program really started; *shellResult (when given) receives the
    // shell's answer (above 32 on success).
    [[nodiscard]] static bool openWithShell(const String& file, const String& parameters,
                                            intptr_t* shellResult = nullptr);

    // Reads a string value of key "SOFTWARE\<company>\<product>": root 0 is HKEY_LOCAL_MACHINE,
    // above 0 HKEY_CURRENT_USER; view 0 the 64-bit view, 1 the 32-bit view, anything else the
    // default. The value must fit, with its terminating NUL, in RegistryBufferSize bytes. On
    // failure (missing key or value, a longer value, a value that is not text) the answer is false
    // and value is left as it was.
    [[nodiscard]] static bool readRegistryValue(const String& company, const String& product,
                                                const String& valueName, String& value, int root, int view);

    static uint16_t getPlatformSign() { return PlatformSign; }

    // The mouse position in screen coordinates, clamped to the 16-bit range.
    static void getMousePosition(int16_t& x, int16_t& y);
    // The same as a screen point; a template, since the point class belongs to the geometry above.
    template <class Point> static void getMousePosition(Point& position) {
        int16_t x = 0, y = 0;
        getMousePosition(x, y);
        position = Point(x, y);
    }
};

} // namespace tarnwick
