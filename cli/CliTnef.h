#pragma once
#include <QStringList>

// quernal-cli tnef-list FILE: every attribute and MAPI property of a TNEF
// stream, for looking into a winmail.dat. 0 when the whole stream was read,
// 1 on a reader error (its text on stderr), 2 when FILE cannot be opened.
int tnefList(const QStringList &args);
