// The shell's "open" verb over posix_spawn, and the bookkeeping of the processes it starts.
//
// The file and the parameters arrive as on Windows: the file possibly enclosed in double
// quotes, the parameters as one command line. An executable file is started with the
// parameters; any other file is opened with the program registered for its extension in the
// registry: key "SOFTWARE\Classes\.EXT" (HKEY_CURRENT_USER first, then HKEY_LOCAL_MACHINE,
// 64-bit view), value "open", whose data is a command line naming the program and, optionally,
// arguments placed before the file. The program then receives the file and the parameters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "WinTypes.h"

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;

inline constexpr intptr_t SE_ERR_FNF = 2;
inline constexpr intptr_t SE_ERR_PNF = 3;
inline constexpr intptr_t SE_ERR_ACCESSDENIED = 5;
inline constexpr intptr_t SE_ERR_OOM = 8;
inline constexpr intptr_t SE_ERR_NOASSOC = 31;

// Starts the program and does not wait. Answers a value above 32 once the program has really
// been started; otherwise 0 (out of resources), SE_ERR_FNF (file or program missing),
// SE_ERR_PNF (directory missing), SE_ERR_ACCESSDENIED, ERROR_BAD_FORMAT (not a program the
// system can run) or SE_ERR_NOASSOC (no program registered, or a verb other than "open").
// hwnd and show are accepted and ignored. Finished processes are collected on every call.
HOSTLIB_API HINSTANCE ShellExecute(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                   int show);

// Splits a command line as a Windows program's start-up code does: blanks separate arguments
// outside double quotes; 2n backslashes before a quote give n backslashes and the quote opens or
// closes quoting; 2n+1 backslashes before a quote give n backslashes and a literal quote; other
// backslashes are literal; inside quotes "" gives a literal quote.
HOSTLIB_API std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The process id of the last program ShellExecute started; 0 before the first.
HOSTLIB_API int LastStartedProcessId();
// Collects started processes that have finished, without blocking; answers how many still run.
HOSTLIB_API int ReapStartedProcesses();
// Waits until every started process has finished, or timeoutMs has passed (INFINITE: no
// limit); answers how many still run.
HOSTLIB_API int WaitForStartedProcesses(DWORD timeoutMs = INFINITE);
// While on, time that passes in Sleep also lets every started process end (waiting at most
// PunctualLimitMs more), as though each program started were done within the sleep: a wait for
// one then polls as often however busy the machine is. Off at first.
inline constexpr DWORD PunctualLimitMs = 10000;
HOSTLIB_API void SetStartedProcessesPunctual(bool on);
HOSTLIB_API bool AreStartedProcessesPunctual();
