#include "shell/program.h"

#include "platform/fonts.h"
#include "platform/qt_services.h"
#include "shell/application.h"
#include "shell/artwork.h"
#include "shell/help_resources.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QEvent>
#include <QTranslator>

namespace zq {

namespace {

// The windows' icon is no part of their first frame: it is read and sent
// to the X server once the first window has painted that frame (a widget
// window paints while it handles its first expose), after whatever else
// was waiting then.
class IconAfterFirstFrame : public QObject
{
public:
    IconAfterFirstFrame() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && object->isWindowType()) {
            qApp->removeEventFilter(this);
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
        }
        return false;
    }
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        QApplication::setWindowIcon(ProgramIcon());
        return true;
    }
};

} // namespace

int RunProgram(int argc, char **argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZQ"));
    QApplication::setDesktopFileName(QStringLiteral("org.zq.ZQ"));
    UseProgramFonts();
    LoadHelpResources();

    // Qt's own dialogs and buttons in Japanese.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // An installed program does not write its folder: SETQ.DAT then goes to
    // the user's configuration folder and a new one names the documents folder.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    const SetqLocation setq(QApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), documents);
    QtPlatform platform(QString::fromLatin1(HelpPage));
    Application app(platform.services(), setq);
    // Typed work survives a crash in the user's data folder, never in the
    // program folder nor the storage folder.
    app.keepJournal(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    IconAfterFirstFrame iconLater;
    app.start(QApplication::arguments().value(1));
    const int status = QApplication::exec();
    // The last window closed, or 終了: a clean end.
    app.endCleanly();
    return status;
}

} // namespace zq
