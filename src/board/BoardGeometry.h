#pragma once
// The board style's coordinates, read from its data.txt.
#include <QString>

class BoardGeometry {
public:
    // Reads `fileName` from the style folder; a missing file leaves the geometry as it was.
    bool ReadFromDisk(const QString &styleFolder, const QString &fileName);
};
