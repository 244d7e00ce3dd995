#pragma once

#include <QString>

namespace cr::maintenance {

// A registry holds ID card and telephone numbers: the files and folders this
// program makes for it are for their owner's eyes only. Existing files and
// folders keep the permissions they have.

// Creates the missing folders of `path` (each 0700). True when the folder
// exists afterwards.
bool makePrivateFolder(const QString& path, QString* error);

// Creates `path` as a new, empty file readable and writable by its owner
// only (0600). False when it exists already or cannot be made.
bool createPrivateFile(const QString& path, QString* error);

} // namespace cr::maintenance
