#pragma once

#include <stdexcept>
#include <string>

namespace convertor {

// An error that ends a run. The front end shows what() where the run started.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened, read or written.
class IoError : public ConversionError {
public:
    using ConversionError::ConversionError;
};

// The table store refused a statement.
class TableError : public ConversionError {
public:
    using ConversionError::ConversionError;
};

// A text (code page 874) that should hold a number but does not; the message quotes it and
// names the line when one is given.
ConversionError notAnInteger(const std::string& text, long lineNumber = 0);
ConversionError notAFloat(const std::string& text, long lineNumber = 0);

// Whole number of a text: leading blanks, optional sign, digits; throws notAnInteger.
long toWholeNumber(const std::string& text, long lineNumber = 0);

}  // namespace convertor
