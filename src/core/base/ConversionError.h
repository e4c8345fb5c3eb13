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

}  // namespace convertor
