#pragma once

#include <QString>

// Every switch and option, one line each: --help's answer, and what follows a refused
// command line.
QString Usage();
