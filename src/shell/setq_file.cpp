#include "shell/setq_file.h"

#include "common/file_io.h"
#include "common/seq_file.h"
#include "shell/drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zq {

namespace {

bool IsWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace

SetqLocation::SetqLocation(const QString &programFolder, const QString &configFolder,
                           const QString &documentsFolder)
    : SetqLocation(programFolder, configFolder, documentsFolder,
                   IsWritableFolder(programFolder) && !IsInstalledProgramFolder(programFolder))
{
}

SetqLocation::SetqLocation(const QString &programFolder, const QString &configFolder,
                           const QString &documentsFolder, bool programFolderWritable)
    : m_programFolder(programFolder)
    , m_configFolder(configFolder)
    , m_documentsFolder(documentsFolder)
    , m_programFolderWritable(programFolderWritable || configFolder.isEmpty())
{
}

bool IsInstalledProgramFolder(const QString &programFolder)
{
    return QFileInfo::exists(QDir(programFolder).filePath(QStringLiteral("../../share/applications/org.zq.ZQ.desktop")));
}

QString SetqLocation::inProgramFolder() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("SETQ.DAT"));
}

QString SetqLocation::inConfigFolder() const
{
    return QDir(m_configFolder).filePath(QStringLiteral("SETQ.DAT"));
}

QString SetqLocation::path() const
{
    if (m_programFolderWritable)
        return inProgramFolder();
    // The user's own registration first, then one the program came with.
    if (!QFileInfo::exists(inConfigFolder()) && QFileInfo::exists(inProgramFolder()))
        return inProgramFolder();
    return inConfigFolder();
}

QString SetqLocation::writePath() const
{
    return m_programFolderWritable ? inProgramFolder() : inConfigFolder();
}

QString SetqLocation::defaultStorageFolder() const
{
    const QString folder = m_programFolderWritable || m_documentsFolder.isEmpty() ? m_programFolder
                                                                                  : m_documentsFolder;
    return QDir::toNativeSeparators(folder);
}

void ReadStorageSetting(ProgramValues &program, const SetqLocation &location)
{
    const QString path = location.path();
    if (!QFileInfo::exists(path)) {
        program.StorageFolder = location.defaultStorageFolder();
        program.SetqField2 = program.SetqField3 = program.SetqField4 = 0;
        WriteStorageSetting(program, location);
        return;
    }
    QByteArray bytes;
    if (!ReadFileBytes(path, &bytes, 64 * 1024))
        return;
    SeqReader r(bytes);
    QString folder;
    if (!r.readText(&folder))
        return;
    // The reserved fields are carried through; a file without them reads 0.
    double fields[3] = {0, 0, 0};
    for (double &f : fields)
        if (!r.atEnd() && !r.readNumber(&f))
            return;
    program.StorageFolder = FindStoredFolder(folder);
    program.SetqField2 = fields[0];
    program.SetqField3 = fields[1];
    program.SetqField4 = fields[2];
}

QByteArray StorageSettingBytes(const ProgramValues &program, bool *ok)
{
    SeqWriter w;
    w.text(program.StorageFolder)
        .number(program.SetqField2)
        .number(program.SetqField3)
        .number(program.SetqField4);
    w.endLine();
    return w.bytes(ok);
}

bool WriteStorageSetting(const ProgramValues &program, const SetqLocation &location)
{
    bool encoded = false;
    const QByteArray bytes = StorageSettingBytes(program, &encoded);
    if (!encoded)
        return false;
    const QString path = location.writePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return SaveFileBytes(path, bytes);
}

StorageChoiceStart StartStorageChoice(ProgramValues &program, const SetqLocation &location,
                                      const QStringList &drives)
{
    if (DriveOf(program.StorageFolder, drives).isEmpty()) {
        program.StorageFolder = location.defaultStorageFolder();
        WriteStorageSetting(program, location);
    }
    const QString drive = DriveOf(program.StorageFolder, drives);
    if (QDir(QDir::fromNativeSeparators(program.StorageFolder)).exists())
        return {drive, program.StorageFolder, QString()};
    ReadStorageSetting(program, location);
    return {drive, location.defaultStorageFolder(), DriveOf(program.StorageFolder, drives)};
}

FolderRegistration RegisterFolder(const ProgramValues &program, const SetqLocation &location, const QString &typed)
{
    ProgramValues registered = program;
    registered.StorageFolder = typed.isEmpty() ? location.defaultStorageFolder() : typed;
    bool encoded = false;
    FolderRegistration r{registered.StorageFolder, StorageSettingBytes(registered, &encoded), QString()};
    if (!encoded)
        r.unwritable = UnwritableCharacters(r.folder);
    return r;
}

QString FindStoredFolder(const QString &stored)
{
    const QString path = QDir::fromNativeSeparators(stored);
    if (path.isEmpty() || QFileInfo::exists(path) || !QDir::isAbsolutePath(path))
        return stored;
    // Down the path, each missing name matched by its written form.
    const QStringList names = path.split(u'/', Qt::SkipEmptyParts);
    QString found = path.startsWith(u'/') ? QStringLiteral("/") : QString();
    for (const QString &name : names) {
        const QString next = QDir(found).filePath(name);
        if (QFileInfo::exists(next)) {
            found = next;
            continue;
        }
        const QStringList entries = QDir(found).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString &entry) {
            return CodePage932Forms(entry) == name;
        });
        if (match == entries.end())
            return stored;
        found = QDir(found).filePath(*match);
    }
    return QDir::toNativeSeparators(found);
}

} // namespace zq
