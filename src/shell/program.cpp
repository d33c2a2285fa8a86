#include "shell/program.h"

#include "platform/fonts.h"
#include "platform/qt_services.h"
#include "shell/application.h"
#include "shell/help_resources.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

namespace zq {

int RunProgram(int argc, char **argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZQ"));
    InstallFontSubstitutions();
    LoadHelpResources();
    QApplication::setFont(LegacyFont(PGothicFont, 9));

    // Qt's own dialogs and buttons in Japanese.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtPlatform platform;
    Application app(platform.services(), QApplication::applicationDirPath(),
                    QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    app.showMenu();
    return QApplication::exec();
}

} // namespace zq
