// The terminal as an input stream that Ctrl-C ends: a prompt waiting for a line returns
// end of input as soon as the run is interrupted, however the signal and the wait race.
#pragma once

#include <array>
#include <functional>
#include <streambuf>

namespace cartovel {

class TerminalInput final : public std::streambuf {
public:
    /// interrupted tells whether the run's SIGINT handler has fired.
    TerminalInput(int fd, std::function<bool()> interrupted);

protected:
    int_type underflow() override;

private:
    int fd_;
    std::function<bool()> interrupted_;
    std::array<char, 4096> buffer_{};
};

} // namespace cartovel
