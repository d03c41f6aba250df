#pragma once
// The package is the folder the user chose and nothing outside it. A downloaded package can carry
// links; one named install.ini that points at a file of the user's own must never get the run's
// sections written into that file.

#include <string>

namespace quillmere {

// Whether `file`, with every link on its way followed, lies outside `folder` (itself followed
// through its links). A file whose real path cannot be told counts as inside: the checks that
// follow refuse it if it cannot be read or written.
bool leadsOutside(const std::string& folder, const std::string& file);

}  // namespace quillmere
