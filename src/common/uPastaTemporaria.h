#pragma once

#include <QString>

// The running program's own temporary folder: created on first use in the system's temporary
// location, readable and writable by its owner only (mode 0700), and removed with everything
// in it when the program ends. Documents inflated from or written for a quotation file live
// there, under their base name, for the length of one open or save.
//
// Answers the folder with a trailing "/"; raises EFileError when it cannot be created.
QString PastaTemporaria();
