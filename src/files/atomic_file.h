// Whole files: written so that a failure never leaves a half-written one behind, and read
// only when they are plain files, so that a pipe or a device cannot hang the program.
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

// The bytes of a regular file of at most maxSize bytes (a link to one will do), read
// without ever waiting on a pipe or opening a device. Returns 0, or an errno: EINVAL for
// anything that is not a regular file, EFBIG for a larger one.
int ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes);

}  // namespace tess
