#pragma once
#include <QString>

// Deletes a folder tree. When it cannot be removed, "フォルダーが残されています"
// is shown and false returned; a missing folder counts as removed, silently.
bool RemoveFolder(const QString &path);
