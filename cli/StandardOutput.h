#pragma once
#include <iosfwd>
#include <streambuf>

// Standard output for the commands, every write checked. The first write that fails is
// kept with the system's reason and the rest of the output is dropped, so that a command
// writing to a full disk or a closed descriptor ends as a failure instead of a quiet
// success. Buffered; the buffer is written when full, on flush and at the end.
class StandardOutput : public std::streambuf {
public:
    StandardOutput();
    ~StandardOutput() override;
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    // Writes what is buffered. 0 when every write went through, otherwise the errno of
    // the first that failed.
    int finish();

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    static constexpr std::size_t BufferSize = 1 << 16;
    char buffer_[BufferSize];
    int error_ = 0;
};

// The end of a command: writes what `out` still holds and, when a write failed, says so
// on `err` ("write error: " and the system's reason) and returns 1; otherwise `status`.
int FinishStandardOutput(StandardOutput& out, std::ostream& err, int status);
