#pragma once

#include "core/doc/DocumentRecord.h"

#include <string>

// Opening a .cva file: the checks and the reading behind File Open, so the
// window and the command line refuse the same files with the same words.

// Reads the file whole and decodes it into store. A folder, a pipe or a
// device is never read (a pipe could wait for ever), nor more than one byte
// past the largest document. The record is written only when the whole file
// is a good document. Returns the problem in one sentence, empty on success.
std::string ReadDocumentFile(const std::string &path, EqStore &store);

// The message of a refused open, naming the file as the user knows it.
std::string OpenFailureText(const std::string &shownPath, const std::string &problem);
