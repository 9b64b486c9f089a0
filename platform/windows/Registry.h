// The registry, kept in a text file under the host root ("registry.txt"), so that the host,
// the module and the programs they start all see the same keys.
//
// As on Windows, key and value names compare without regard to ASCII case, and the 32-bit and
// 64-bit views (KEY_WOW64_32KEY, KEY_WOW64_64KEY; no flag means the 64-bit view) hold separate
// keys. Here the views are kept apart under both roots.
//
// File format, one entry per line, fields separated by TAB:
//     ROOT VIEW KEY                      a key (made by RegCreateKeyEx)
//     ROOT VIEW KEY NAME TYPE DATA       a value; TYPE is REG_SZ, REG_EXPAND_SZ, REG_BINARY or
//                                        REG_DWORD; DATA holds the bytes, with "%XX" for bytes
//                                        below 0x20, 0x7F and "%" (REG_DWORD: decimal)
// ROOT is HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, VIEW is 32 or 64. Lines starting with "#"
// are comments. The file is locked while it is read or rewritten.
#pragma once

#include "WinTypes.h"

inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t(0x80000001));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t(0x80000002));

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;

// Opens an existing key below a root or an open key. ERROR_FILE_NOT_FOUND when it is missing.
HOSTLIB_API LONG RegOpenKeyEx(HKEY parent, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result);
// Opens a key, creating it and the keys above it when missing.
HOSTLIB_API LONG RegCreateKeyEx(HKEY parent, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result);
HOSTLIB_API LONG RegCloseKey(HKEY key);

// Reads a value (name null or "" is the key's default value). With data null, *dataSize
// receives the size needed. When the value does not fit, the answer is ERROR_MORE_DATA,
// *dataSize the size needed, and the buffer holds nothing useful. The bytes come back exactly
// as stored: a string value ends with a NUL only when it was stored with one.
HOSTLIB_API LONG RegQueryValueEx(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                 DWORD* dataSize);
// Stores a value; the key needs KEY_SET_VALUE access.
HOSTLIB_API LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD dataSize);
HOSTLIB_API LONG RegDeleteValue(HKEY key, LPCSTR valueName);
// Deletes the sub-key (null: the key's own contents) with all its keys and values.
HOSTLIB_API LONG RegDeleteTree(HKEY key, LPCSTR subKey);
