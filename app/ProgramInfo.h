#pragma once
#include <QString>

// What the about box tells of the program and the system under it.
namespace ProgramInfo {
QString productName();       // "Quernal"
QString versionText();       // "バージョン: 0.1.0.1"
QString systemText();        // distribution name, a line break, "Build " + kernel version
}
