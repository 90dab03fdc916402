#pragma once
// Failures inside the program are exceptions; they are caught at the boundary of the operation
// the user started and reported there through a MessageSink.
#include <stdexcept>
#include <string>

namespace orv {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should hold a number or a date does not (the platform's conversion error).
class ConversionError : public Error {
public:
    using Error::Error;
};

// A file could not be read or written; the message carries the operating system's reason.
class IoError : public Error {
public:
    using Error::Error;
};

// A text cannot be written in code page 932.
class EncodingError : public Error {
public:
    using Error::Error;
};

}  // namespace orv
