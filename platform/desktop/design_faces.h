// The faces the designs are drawn in travel with the program, in
// share/quorrel/fonts: loaded once at start, they stand in for whatever the
// system has (or lacks) under the same names.
#pragma once

#include <string>

namespace desktop {

// Loads every face in <resources>/fonts for this process (once; later calls
// do nothing). A missing folder or file leaves the system's fonts to serve.
void LoadDesignFaces(const std::string& resources);

}  // namespace desktop
