#pragma once
#include <QString>

// Names that come from a message become file names only through here. The
// name rule turns "/" into "_"; beyond it every separator, control character
// and NUL is replaced, "." and ".." and reserved device names are defused, an
// empty name gets one, and a long name is shortened keeping its extension.
// The result is always one plain file name, readable as the caption was.
QString SafeFileName(const QString &name);

// `folder` + "/" + the safe name: a path that never leaves `folder`.
QString SafePathIn(const QString &folder, const QString &name);

// The name rule alone ("/" → "_"), as captions are compared.
QString NameRule(const QString &name);
