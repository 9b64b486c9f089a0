#include "Environment/SystemServices.h"

#include <algorithm>
#include <cstring>

#include "platform/api/HostErrors.h"
#include "platform/io/SpecialFolders.h"
#include "platform/windows/Registry.h"
#include "platform/windows/Shell.h"
#include "platform/windows/WinSystem.h"

namespace tarnwick {

std::unique_ptr<Directory> SystemServices::getUserDataFolder() {
    IO::Location folder;
    if (IO::GetSpecialFolder(IO::UserDataFolder, &folder) != hosterr::Ok) return nullptr;
    return std::make_unique<Directory>(folder);
}

String SystemServices::getUserDataFolderPath() {
    IO::Location folder;
    if (IO::LocateSpecialFolder(IO::UserDataFolder, &folder) != hosterr::Ok) return String();
    return String(folder.ToPath());
}

String SystemServices::quoteArgument(const String& text) {
    const std::string& bytes = text.bytes();
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : bytes) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there each stands for half of them.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    quoted += '"';
    return String(quoted);
}

bool SystemServices::openWithShell(const String& file, const String& parameters, intptr_t* shellResult) {
    HINSTANCE result =
        ShellExecute(nullptr, "open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    intptr_t code = reinterpret_cast<intptr_t>(result);
    if (shellResult) *shellResult = code;
    return code > 32;
}

bool SystemServices::readRegistryValue(const String& company, const String& product, const String& valueName,
                                       String& value, int root, int view) {
    REGSAM access = KEY_READ;
    if (view == 0)
        access |= KEY_WOW64_64KEY;
    else if (view == 1)
        access |= KEY_WOW64_32KEY;
    String path = String("SOFTWARE\\") + company + "\\" + product;
    HKEY key = nullptr;
    if (RegOpenKeyEx(root > 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key) !=
        ERROR_SUCCESS)
        return false;
    char buffer[RegistryBufferSize] = {};
    DWORD size = sizeof buffer;
    DWORD type = REG_NONE;
    LONG result =
        RegQueryValueEx(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size > sizeof buffer)
        return false;
    // A stored string need not end with a NUL; it must still leave room for one.
    size_t length = strnlen(buffer, size);
    if (length == sizeof buffer) return false;
    value = String(std::string_view(buffer, length));
    return true;
}

void SystemServices::getMousePosition(int16_t& x, int16_t& y) {
    POINT point;
    if (!GetCursorPos(&point)) point = POINT();
    x = static_cast<int16_t>(std::clamp<LONG>(point.x, INT16_MIN, INT16_MAX));
    y = static_cast<int16_t>(std::clamp<LONG>(point.y, INT16_MIN, INT16_MAX));
}

} // namespace tarnwick
