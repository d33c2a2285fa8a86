#pragma once

#include "shell/program_values.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zq {

// Where SETQ.DAT lives. Normally in the program folder. When the program
// folder cannot be written (an installed program), the file is written to
// the user's configuration folder; a SETQ.DAT that stands in the program
// folder is still read until the user registers a folder of their own.
class SetqLocation
{
public:
    // documentsFolder: the storage folder of a new SETQ.DAT when the program
    // folder cannot be written.
    SetqLocation(const QString &programFolder, const QString &configFolder,
                 const QString &documentsFolder = QString());
    SetqLocation(const QString &programFolder, const QString &configFolder,
                 const QString &documentsFolder, bool programFolderWritable);

    QString programFolder() const { return m_programFolder; }
    // The file that is read, and the file that is written.
    QString path() const;
    QString writePath() const;
    // The folder a new SETQ.DAT holds and the fallbacks of the storage
    // folder use: the program folder, or the documents folder when the
    // program folder cannot be written.
    QString defaultStorageFolder() const;

private:
    QString inProgramFolder() const;
    QString inConfigFolder() const;
    QString m_programFolder;
    QString m_configFolder;
    QString m_documentsFolder;
    bool m_programFolderWritable = true;
};

// True for the program folder of an installed package (<prefix>/lib/zq,
// with the desktop entry at <prefix>/share/applications): that folder is
// the system's, even for a user who could write it, so SETQ.DAT is kept per
// user.
bool IsInstalledProgramFolder(const QString &programFolder);

// Reads SETQ.DAT into the program values, as the main menu does on every
// activation. A missing file is created with the default storage folder and
// three 0 fields. A damaged file changes nothing.
void ReadStorageSetting(ProgramValues &program, const SetqLocation &location);

// The bytes of SETQ.DAT for the program values; false in *ok when the
// folder has a character that the file cannot hold.
QByteArray StorageSettingBytes(const ProgramValues &program, bool *ok);

// Writes the four fields; false when the file could not be saved (the old
// file then stays as it was).
bool WriteStorageSetting(const ProgramValues &program, const SetqLocation &location);

// Where the folder choice of FILECTL opens: the drive of the drive list and
// the folder of the tree. When the stored folder is gone, the drive of the
// setting read again follows, if it is one of the drives.
struct StorageChoiceStart {
    QString drive;
    QString folder;
    QString settingDrive;
};

// The activation of FILECTL. A stored folder on a drive that is not here is
// replaced by the default folder, and that is registered; a stored folder
// that is gone shows the default folder and leaves the setting as it is.
StorageChoiceStart StartStorageChoice(ProgramValues &program, const SetqLocation &location,
                                      const QStringList &drives);

// 保存登録 of a typed folder: the folder that is registered (the default
// folder for an empty box) and the bytes of SETQ.DAT for it. `unwritable`
// names the characters the file cannot hold; the folder is then refused.
struct FolderRegistration {
    QString folder;
    QByteArray bytes;
    QString unwritable;
};
FolderRegistration RegisterFolder(const ProgramValues &program, const SetqLocation &location,
                                  const QString &typed);

// A folder read back from SETQ.DAT in which characters that code page 932
// holds only as look-alikes came back as those (〜 as ～): the folder on
// disk that is meant, or the folder as it stands when none is found.
QString FindStoredFolder(const QString &stored);

} // namespace zq
