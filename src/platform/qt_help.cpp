#include "platform/qt_help.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace zq {

QtHelpService::QtHelpService(const QString &source)
    : m_source(source)
{
}

QtHelpService::~QtHelpService()
{
    delete m_viewer.data();
}

void QtHelpService::showHelp(QWidget *)
{
    if (!m_viewer) {
        auto *viewer = new QWidget(nullptr, Qt::Window);
        viewer->setObjectName(QStringLiteral("HELP"));
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setAttribute(Qt::WA_QuitOnClose, false);
        viewer->setWindowTitle(QStringLiteral("ZQ加算・集計器 ﾍﾙﾌﾟ"));
        auto *layout = new QVBoxLayout(viewer);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *browser = new QTextBrowser(viewer);
        browser->setObjectName(QStringLiteral("HelpText"));
        browser->setOpenExternalLinks(false);
        browser->setSource(QUrl(m_source));
        layout->addWidget(browser);
        viewer->resize(560, 600);
        m_viewer = viewer;
    }
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}

void QtHelpService::closeAllHelp(QWidget *)
{
    if (m_viewer)
        m_viewer->close();
}

} // namespace zq
