// Whole writes of stored settings, and copies of stored settings that could not be read, kept
// aside before anything replaces them so that what could not be read can still be had by hand.
#pragma once

#include <string>

#include "Environment/String.h"

namespace tarnwick {

class Directory;

namespace storedcopy {

// The file's bytes; false when there is no file or it cannot be read.
bool readFile(const Directory& folder, const String& name, std::string& bytes);

// Writes text to the named file through a new temporary file beside it ("name.tmp"), so that
// neither a failed write nor a power loss leaves a half-written file (FileReplacement). A
// temporary file left over is replaced; a link at either name, or anything else in the way, fails
// the write.
bool writeWhole(const Directory& folder, const String& name, const std::string& text);

// The name of the n-th copy (from 1) of the named file: "a.xml" gives "a.unreadable.xml", then
// "a.unreadable-2.xml" and on.
String copyName(const String& name, int n);

// Keeps bytes in the first copy of the named file that is free or already holds exactly those
// bytes; no other file is ever replaced. Answers the copy's path; empty when none was written.
String keepFileCopy(const Directory& folder, const String& name, const std::string& bytes);

// For a file whose bytes cannot be had: moves it, unread, to the first free copy name. Answers the
// copy's path; empty when it could not be moved.
String moveFileAside(const Directory& folder, const String& name);

// The n-th key (from 1) of module data copies of key: "k.unreadable", then "k.unreadable-2".
String copyKey(const String& key, int n);

// Keeps bytes in the project's module data under the first copy key of key that is free or
// already holds exactly those bytes. Answers the key; empty when the host took no write.
String keepModuleDataCopy(const String& key, const std::string& bytes);

} // namespace storedcopy

} // namespace tarnwick
