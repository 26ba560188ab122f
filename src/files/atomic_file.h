// Writing a whole file so that a failure never leaves a half-written one behind.
#pragma once

#include <string>
#include <string_view>

namespace tess {

// Replaces the file at path with data: written to a temporary file in the same folder,
// flushed to disk and renamed over the old one. A target that is not writable is refused
// before anything is touched. Returns 0, or the errno of the step that failed; on failure
// the old file is unchanged and no temporary file remains. A writable file in a folder
// where no temporary file can be created is overwritten in place instead.
int WriteFileAtomically(const std::string& path, std::string_view data);

}  // namespace tess
