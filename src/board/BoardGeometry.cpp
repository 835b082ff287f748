#include "board/BoardGeometry.h"

#include <QFileInfo>

bool BoardGeometry::ReadFromDisk(const QString &styleFolder, const QString &fileName) {
    return QFileInfo::exists(styleFolder + '/' + fileName);
}
