#include "Shell.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "Registry.h"
#include "platform/io/Location.h"

extern char** environ;

namespace {

std::vector<pid_t>& startedProcesses() {
    static std::vector<pid_t> pids;
    return pids;
}

int& lastStarted() {
    static int pid = 0;
    return pid;
}

HINSTANCE answer(intptr_t value) {
    return reinterpret_cast<HINSTANCE>(value);
}

bool sameAscii(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string unquote(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(" \t");
    text = text.substr(first, last - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    return std::string(text);
}

struct Target {
    std::string path;
    int type = -1; // -1 missing, 0 file, 1 folder
    bool executable = false;
};

// Paths are made absolute: the program may run in another folder.
Target inspect(const std::string& path) {
    Target t;
    t.path = IO::Location(path).ToPath();
    struct stat st {};
    if (t.path.empty() || ::stat(t.path.c_str(), &st) != 0) return t;
    t.type = S_ISDIR(st.st_mode) ? 1 : 0;
    t.executable = t.type == 0 && ::access(t.path.c_str(), X_OK) == 0;
    return t;
}

// A name with a slash is a path (relative to directory when given); a bare name is looked for
// there first and then along PATH, as the shell would for a program.
Target locate(const std::string& name, const std::string& directory) {
    if (!name.empty() && name[0] == '/') return inspect(name);
    Target local = inspect(directory.empty() ? name : directory + "/" + name);
    if (local.type != -1 || name.find('/') != std::string::npos) return local;
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "";
    while (!dirs.empty()) {
        size_t colon = dirs.find(':');
        std::string dir(dirs.substr(0, colon));
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
        if (dir.empty()) continue;
        Target candidate = inspect(dir + "/" + name);
        if (candidate.executable) return candidate;
    }
    return local;
}

std::string registeredProgram(const std::string& extension) {
    std::string key = "SOFTWARE\\Classes\\." + extension;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY handle = nullptr;
        if (RegOpenKeyEx(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) continue;
        DWORD type = 0;
        DWORD size = 0;
        std::string value;
        if (RegQueryValueEx(handle, "open", nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            value.resize(size);
            if (RegQueryValueEx(handle, "open", nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                                &size) != ERROR_SUCCESS)
                value.clear();
            value.resize(std::min<size_t>(size, value.size()));
            value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
        }
        RegCloseKey(handle);
        if (!value.empty()) return value;
    }
    return {};
}

intptr_t spawnError(int err) {
    switch (err) {
    case ENOENT:
        return SE_ERR_FNF;
    case ENOTDIR:
        return SE_ERR_PNF;
    case EACCES:
    case EPERM:
        return SE_ERR_ACCESSDENIED;
    case ENOEXEC:
        return ERROR_BAD_FORMAT;
    case ENOMEM:
    case EAGAIN:
        return SE_ERR_OOM;
    default:
        return 0;
    }
}

intptr_t spawn(const std::vector<std::string>& args, const std::string& directory) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return SE_ERR_OOM;
    // A started program must not read the host's input.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t pid = 0;
    int err = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) return spawnError(err);
    startedProcesses().push_back(pid);
    lastStarted() = pid;
    return 42;
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (size_t i = 0; i < line.size();) {
        char c = line[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument) args.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            size_t n = 0;
            while (i < line.size() && line[i] == '\\')
                ++n, ++i;
            if (i < line.size() && line[i] == '"') {
                current.append(n / 2, '\\');
                if (n % 2 == 1) {
                    current += '"';
                    ++i;
                }
            } else {
                current.append(n, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) args.push_back(std::move(current));
    return args;
}

HINSTANCE ShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int) {
    ReapStartedProcesses();
    if (verb != nullptr && *verb != '\0' && !sameAscii(verb, "open")) return answer(SE_ERR_NOASSOC);
    std::string name = unquote(file ? file : "");
    if (name.empty()) return answer(SE_ERR_FNF);
    std::string dir = unquote(directory ? directory : "");
    if (!dir.empty()) {
        Target folder = inspect(dir);
        if (folder.type != 1) return answer(SE_ERR_PNF);
        dir = folder.path;
    }
    std::vector<std::string> params = SplitCommandLine(parameters ? parameters : "");

    Target target = locate(name, dir);
    if (target.type == -1) return answer(SE_ERR_FNF);
    std::vector<std::string> args;
    if (target.executable) {
        args.push_back(target.path);
    } else {
        size_t slash = name.rfind('/');
        size_t dot = name.rfind('.');
        if (target.type != 0 || dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
            dot + 1 == name.size())
            return answer(SE_ERR_NOASSOC);
        std::vector<std::string> command = SplitCommandLine(registeredProgram(name.substr(dot + 1)));
        if (command.empty()) return answer(SE_ERR_NOASSOC);
        Target program = locate(command[0], {});
        if (program.type == -1) return answer(SE_ERR_FNF);
        if (!program.executable) return answer(SE_ERR_ACCESSDENIED);
        args.push_back(program.path);
        args.insert(args.end(), command.begin() + 1, command.end());
        args.push_back(target.path);
    }
    args.insert(args.end(), params.begin(), params.end());
    return answer(spawn(args, dir));
}

int LastStartedProcessId() {
    return lastStarted();
}

int ReapStartedProcesses() {
    std::erase_if(startedProcesses(), [](pid_t pid) {
        int status = 0;
        pid_t r = ::waitpid(pid, &status, WNOHANG);
        // ECHILD: someone else collected it (or children are ignored); it is gone either way.
        return r == pid || (r < 0 && errno != EINTR);
    });
    return static_cast<int>(startedProcesses().size());
}

namespace {
bool& punctual() {
    static bool on = false;
    return on;
}
} // namespace

void SetStartedProcessesPunctual(bool on) {
    punctual() = on;
}

bool AreStartedProcessesPunctual() {
    return punctual();
}

int WaitForStartedProcesses(DWORD timeoutMs) {
    if (timeoutMs == INFINITE) {
        for (pid_t pid : startedProcesses()) {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
        startedProcesses().clear();
        return 0;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (ReapStartedProcesses() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return static_cast<int>(startedProcesses().size());
}
