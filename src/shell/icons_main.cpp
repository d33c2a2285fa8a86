#include "platform/fonts.h"
#include "shell/artwork.h"

#include <QDir>
#include <QGuiApplication>

// Draws the program's icon at every size the desktop asks for, into
// FOLDER/hicolor/<n>x<n>/apps/org.zq.ZQ.png, and the pictures the programs
// read at start-up into FOLDER/art/<name>.png. Run by the build.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2)
        return 2;
    zq::InstallFontSubstitutions();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QDir(args[1]).filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !zq::IconPicture(size).save(QDir(folder).filePath(QStringLiteral("org.zq.ZQ.png"))))
            return 1;
    }
    const QString art = QDir(args[1]).filePath(QStringLiteral("art"));
    if (!QDir().mkpath(art))
        return 1;
    for (const zq::PictureToBuild &p : zq::PicturesToBuild())
        if (!p.picture.save(QDir(art).filePath(p.name + QStringLiteral(".png"))))
            return 1;
    return 0;
}
