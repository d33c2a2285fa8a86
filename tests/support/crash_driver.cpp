// A Qt input plugin that types into the real zq as a user does, for the
// crash test: loaded into the unchanged program through
// QT_QPA_GENERIC_PLUGINS=zqcrashdriver, it answers the restore question with
// はい, opens the tool, tells what the window shows, and then types the steps
// of a script, reporting each one once the window has painted it.
//
// Environment: ZQ_CRASH_SCRIPT (the steps, one a line: "key NAME TEXT" types
// TEXT into the control NAME and presses Enter; "click NAME" clicks it;
// "paste NAME TEXT" puts TEXT, with \t and \n for tabs and line breaks, on
// the clipboard and presses Ctrl+V in NAME),
// ZQ_CRASH_TOOL (Command8 for the adding machine, Command6 for the tally),
// ZQ_CRASH_REFERENCE=1 (tell what the window shows after every step).
// Protocol on standard output: "dump ..." lines then "ready"; on standard
// input the harness answers "from N" (the first step to type); each typed
// step i prints "shown i", followed in a reference run by its dump lines.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGenericPlugin>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

// The visible window of one of these names.
QWidget *window(std::initializer_list<const char *> names)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        for (const char *name : names)
            if (w->isVisible() && w->objectName() == QLatin1String(name))
                return w;
    return nullptr;
}

QWidget *toolWindow()
{
    return window({"KASAN", "SHUKEI"});
}

void say(QString line)
{
    line.replace(u'\n', QStringLiteral("\\n"));
    std::fputs((line + u'\n').toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QString gridText(QWidget *grid)
{
    QStringList cells;
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(grid);
    QAccessibleTableInterface *table = a ? a->tableInterface() : nullptr;
    if (!table)
        return QStringLiteral("<no table>");
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 1; c < table->columnCount(); ++c)
            if (QAccessibleInterface *cell = table->cellAt(r, c); cell && !cell->text(QAccessible::Name).isEmpty())
                cells << QStringLiteral("%1,%2=%3").arg(r).arg(c).arg(cell->text(QAccessible::Name));
    return cells.join(u'|');
}

// What the window shows: its grids, labels, item box, the buttons' states
// and where the edit boxes stand.
void dump(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || !w->isVisibleTo(window))
            continue;
        if (w->metaObject()->className() == QLatin1String("zq::LegacyGrid"))
            say(QStringLiteral("dump %1 %2").arg(name, gridText(w)));
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->pixmap().isNull() && !name.startsWith(u"Image"))
            say(QStringLiteral("dump %1 [%2]").arg(name, label->text()));
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            say(QStringLiteral("dump %1 [%2]").arg(name, combo->currentText()));
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            say(QStringLiteral("dump %1 %2").arg(name).arg(button->isEnabled()));
        else if (name.startsWith(u"Text") && qobject_cast<QLineEdit *>(w))
            say(QStringLiteral("dump %1 at %2").arg(name).arg(w->y()));
    }
}

class Driver : public QObject
{
public:
    Driver()
    {
        QFile script(qEnvironmentVariable("ZQ_CRASH_SCRIPT"));
        if (script.open(QIODevice::ReadOnly | QIODevice::Text))
            m_steps = QString::fromUtf8(script.readAll()).split(u'\n', Qt::SkipEmptyParts);
        m_reference = qEnvironmentVariable("ZQ_CRASH_REFERENCE") == QLatin1String("1");
        // Message boxes are answered as soon as they show: はい to the
        // restore question, OK to any warning.
        connect(&m_boxes, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                if (QAbstractButton *yes = box->button(QMessageBox::Yes)) {
                    m_restoring = true;
                    yes->click();
                } else if (QAbstractButton *ok = box->button(QMessageBox::Ok)) {
                    ok->click();
                }
            }
        });
        m_boxes.start(1);
        connect(&m_start, &QTimer::timeout, this, &Driver::waitForTool);
        m_start.start(5);
    }

private:
    void waitForTool()
    {
        // Not before start-up is over and the program's event loop runs: it
        // may still be about to ask.
        if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() == 0)
            return;
        QWidget *tool = toolWindow();
        if (!tool) {
            // After はい the program opens the window itself.
            if (QWidget *menu = window({"MENU"}); menu && !m_restoring)
                if (auto *open = menu->findChild<QAbstractButton *>(qEnvironmentVariable("ZQ_CRASH_TOOL")))
                    QTest::mouseClick(open, Qt::LeftButton);
            return;
        }
        m_start.stop();
        QCoreApplication::processEvents();
        dump(tool);
        say(QStringLiteral("ready"));
        QTextStream in(stdin);
        const QString answer = in.readLine();
        const int from = answer.startsWith(u"from ") ? answer.mid(5).toInt() : m_steps.size() + 1;
        for (int i = from; i <= m_steps.size(); ++i) {
            type(m_steps[i - 1]);
            QCoreApplication::processEvents();
            say(QStringLiteral("shown %1").arg(i));
            if (m_reference)
                dump(toolWindow());
        }
        say(QStringLiteral("done"));
    }

    void type(const QString &step)
    {
        const QStringList parts = step.split(u' ');
        QWidget *tool = toolWindow();
        QWidget *target = tool && parts.size() > 1 ? tool->findChild<QWidget *>(parts[1]) : nullptr;
        if (!target)
            return;
        if (parts[0] == QLatin1String("click")) {
            QTest::mouseClick(target, Qt::LeftButton);
            return;
        }
        if (parts[0] == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(
                parts.value(2).replace(QStringLiteral("\\t"), QStringLiteral("\t")).replace(QStringLiteral("\\n"),
                                                                                    QStringLiteral("\n")));
            target->setFocus();
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            return;
        }
        if (auto *combo = qobject_cast<QComboBox *>(target))
            target = combo->lineEdit();
        target->setFocus();
        QTest::keyClicks(target, parts.mid(2).join(u' '));
        QTest::keyClick(target, Qt::Key_Return);
    }

    QStringList m_steps;
    bool m_reference = false;
    bool m_restoring = false;
    QTimer m_boxes;
    QTimer m_start;
};

} // namespace

class CrashDriverPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "crash_driver.json")
public:
    QObject *create(const QString &, const QString &) override { return new Driver; }
};

#include "crash_driver.moc"
