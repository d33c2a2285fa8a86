#pragma once

#include "shell/program_values.h"

#include <QString>

namespace zq {

// Where SETQ.DAT lives: in the program folder, or in the user's
// configuration folder when the program folder cannot be written.
class SetqLocation
{
public:
    SetqLocation(const QString &programFolder, const QString &configFolder);

    QString programFolder() const { return m_programFolder; }
    QString path() const;

private:
    QString m_programFolder;
    QString m_configFolder;
};

// Reads SETQ.DAT into the program values, as the main menu does on every
// activation. A missing file is created with the program folder and three
// 0 fields. A damaged file changes nothing.
void ReadStorageSetting(ProgramValues &program, const SetqLocation &location);

// Writes the four fields; false when the file could not be saved (the old
// file then stays as it was).
bool WriteStorageSetting(const ProgramValues &program, const SetqLocation &location);

} // namespace zq
