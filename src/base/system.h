#pragma once

#include <QString>
#include <QtGlobal>

namespace lvx {

// Waits the given milliseconds on a monotonic clock while the event loop keeps
// running, so the window stays live while a chord sounds and the CPU idles.
void Delay(qint32 milliseconds);

// The name a directory listing of the path yields (the last path component, "."
// for a folder given with a trailing separator), empty when nothing is there.
QString FolderExists(const QString& path);

// The program folder: $LIRAVOX_HOME when set, else the per-user data folder.
// Created when missing.
QString programFolder();

// The folder of the files installed with the program (Chords.dat, help pages),
// found from the program's own folder; $LIRAVOX_DATA_DIR overrides it.
QString installedDataFolder();

} // namespace lvx
