#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QString>

class QWidget;

namespace zq {

// Shows the program's help in a viewer window of its own. The viewer is not
// one of the tool windows: it stays open while the user moves between them,
// and it keeps the program from ending on its own.
class QtHelpService : public HelpService
{
public:
    explicit QtHelpService(const QString &source);
    ~QtHelpService() override;

    void showHelp(QWidget *owner) override;
    void closeAllHelp(QWidget *owner) override;
    QWidget *viewer() const { return m_viewer; }

private:
    QString m_source;
    QPointer<QWidget> m_viewer;
};

} // namespace zq
