#pragma once
#include <QString>

// The folder of the program's data: the build tree's data folder when the program runs from the
// build tree, the installed data folder otherwise.
QString applicationFolder();
