// Base of classes that own something a copy would share or free twice. Deriving from it also
// takes away the implicit move; a class that can be moved declares its own moves.
#pragma once

namespace tarnwick {

class NonCopyable {
public:
    NonCopyable(const NonCopyable&) = delete;
    NonCopyable& operator=(const NonCopyable&) = delete;

protected:
    NonCopyable() = default;
    ~NonCopyable() = default;
};

} // namespace tarnwick
