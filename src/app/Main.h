#pragma once

#include <QString>

// The program's folder, ending with a separator; bare music file names resolve against it.
const QString& AppFolder();

// The entry routine: instance guard, switch, dispatch. Returns the exit status.
int Main(int argc, char** argv);
