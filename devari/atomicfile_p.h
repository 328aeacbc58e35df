// Writing a file so that it either appears complete or not at all.
#pragma once

#include "../platform/export.h"

#include <functional>
#include <ostream>
#include <string>

namespace kvo {

// Runs body on a binary stream to a temporary file in the directory of path
// and renames the file to path when body returned and every byte reached
// the disk. On any failure the temporary file is removed, path is left as
// it was and EKvoError is thrown, naming path and the reason (body's own
// exceptions pass through the same cleanup). The temporary file has the
// replaced file's permissions from its creation on; a path that is a
// symbolic link writes the file it points to (also a file not yet there);
// temporary files of earlier saves of path that were killed are removed.
KVO_API void WriteFileAtomically(const std::string& path, const std::function<void(std::ostream&)>& body);

}  // namespace kvo
