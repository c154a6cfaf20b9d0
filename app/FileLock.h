#pragma once
#include <QString>

// An exclusive advisory lock on a file, held as long as the returned
// descriptor stays open; the system drops it when the holder ends. The file
// is made when missing. -1 when it cannot be made or someone holds it.
int LockFileExclusive(const QString &path);
void UnlockFile(int fd);
