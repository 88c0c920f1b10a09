#pragma once

#include <stdexcept>

namespace pixolet {

// An error that ends the program through the application-wide handler.
class PixoletError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace pixolet
