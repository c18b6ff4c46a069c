#include "StandardOutput.h"

#include "Commands.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <unistd.h>

StandardOutput::StandardOutput() {
    setp(buffer_, buffer_ + BufferSize);
}

StandardOutput::~StandardOutput() {
    drain();
}

bool StandardOutput::drain() {
    const char* at = pbase();
    while (at < pptr() && error_ == 0) {
        const ssize_t n = ::write(STDOUT_FILENO, at, static_cast<std::size_t>(pptr() - at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error_ = n < 0 ? errno : EIO;
        else
            at += n;
    }
    setp(buffer_, buffer_ + BufferSize);
    return error_ == 0;
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int StandardOutput::sync() {
    return drain() ? 0 : -1;
}

int StandardOutput::finish() {
    drain();
    return error_;
}

int FinishStandardOutput(StandardOutput& out, std::ostream& err, int status) {
    const int error = out.finish();
    if (error == 0)
        return status;
    err << "write error: " << std::strerror(error) << "\n";
    return ExitStatus::Failed;
}
