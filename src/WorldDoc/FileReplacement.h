// Replacing a file without ever destroying its previous version: the new contents go to a
// temporary file in the same directory, which is renamed over the target only once everything
// was written. A failure leaves the previous file as it was.
#pragma once

#include <string>

// False, with the reason on standard output, when the file could not be created, written or
// put in place.
bool ReplaceFile(const std::string& filename, const std::string& contents);
