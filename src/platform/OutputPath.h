#pragma once

#include <string>
#include <vector>

#include "platform/Status.h"

namespace lexiscoop {

// Checks a file the user named for output before any work is done for it.
// Refuses, by name, an output that is a folder, and one that is one of
// `inputs`: the same file (device and inode), also when reached through a
// symbolic link or another name, which writing would replace. A missing
// output, a device or a FIFO is fine. The messages are UTF-8 (ASCII).
Status CheckOutputPath(const std::string& output, const std::vector<std::string>& inputs);

}  // namespace lexiscoop
