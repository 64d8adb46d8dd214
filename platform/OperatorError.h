#pragma once

#include <stdexcept>

namespace vk {

// A failure that is the operator's to know about and put right (a text that is
// no number, a settings file that cannot be read or written): what() is the
// message for the operator. The window shows it and goes on; anything else a
// handler lets through is a defect and ends the program.
class OperatorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vk
