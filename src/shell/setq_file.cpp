#include "shell/setq_file.h"

#include "common/file_io.h"
#include "common/seq_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zq {

SetqLocation::SetqLocation(const QString &programFolder, const QString &configFolder)
    : m_programFolder(programFolder)
    , m_configFolder(configFolder)
{
}

QString SetqLocation::path() const
{
    const QString inProgramFolder = QDir(m_programFolder).filePath(QStringLiteral("SETQ.DAT"));
    const QFileInfo folder(m_programFolder);
    if ((folder.isDir() && folder.isWritable()) || m_configFolder.isEmpty())
        return inProgramFolder;
    return QDir(m_configFolder).filePath(QStringLiteral("SETQ.DAT"));
}

void ReadStorageSetting(ProgramValues &program, const SetqLocation &location)
{
    const QString path = location.path();
    if (!QFile::exists(path)) {
        program.StorageFolder = QDir::toNativeSeparators(location.programFolder());
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
    program.StorageFolder = folder;
    program.SetqField2 = fields[0];
    program.SetqField3 = fields[1];
    program.SetqField4 = fields[2];
}

bool WriteStorageSetting(const ProgramValues &program, const SetqLocation &location)
{
    SeqWriter w;
    w.text(program.StorageFolder)
        .number(program.SetqField2)
        .number(program.SetqField3)
        .number(program.SetqField4);
    w.endLine();
    bool encoded = false;
    const QByteArray bytes = w.bytes(&encoded);
    if (!encoded)
        return false;
    const QString path = location.path();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return SaveFileBytes(path, bytes);
}

} // namespace zq
