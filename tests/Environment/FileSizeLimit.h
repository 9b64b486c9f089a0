// Makes writes to files fail past a size, as a full disk would, for as long as it lives: a write
// that crosses the limit writes up to it and then fails, without the signal that would end the
// process.
#pragma once

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        m_set = ::getrlimit(RLIMIT_FSIZE, &m_before) == 0;
        rlimit limited = m_before;
        limited.rlim_cur = bytes;
        m_set = m_set && ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        if (m_set) (void)::setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set: the test cannot make its write fail.
    bool isSet() const { return m_set; }

private:
    rlimit m_before{};
    bool m_set = false;
    void (*m_signal)(int) = SIG_DFL;
};
