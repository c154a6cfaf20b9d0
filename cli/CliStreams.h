#pragma once
#include <QTextStream>

// The command line's standard output and error, one stream each for every
// command, so their buffers never interleave.
namespace cli {
QTextStream &out();
QTextStream &err();
} // namespace cli
