#pragma once

#include <string>

namespace lexiscoop {

// The text of a list file to pack, as CP932 (see TextToCp932). Throws
// std::runtime_error naming `name` and the line (from 1) of the first zero
// byte, which would end the list there, or of the first character that has
// no CP932 form, which would turn into "?": packing never changes the list
// silently.
std::string PackTextToCp932(const std::string& name, std::string bytes);

}  // namespace lexiscoop
