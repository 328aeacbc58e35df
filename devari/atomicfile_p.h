// Writing a file so that it either appears complete or not at all.
#pragma once

#include "../platform/export.h"

#include <functional>
#include <ostream>
#include <string>

namespace kvo {

// Runs body on a binary stream to a temporary file in the directory of path
// and renames the file to path when body returned and every byte reached
// the disk's cache. On any failure the temporary file is removed, path is
// left as it was and EKvoError is thrown (body's own exceptions pass
// through the same cleanup). A replaced file's permissions carry over to the
// new one; a path that is a symbolic link replaces the file it points to.
KVO_API void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& body);

}  // namespace kvo
