#include "../support/app_fixture.h"
#include "../support/tally_data.h"

#include "platform/fonts.h"
#include "platform/indexed_toolbar.h"
#include "platform/legacy_grid.h"
#include "platform/widget_builder.h"
#include "tally/period_setup.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QFontMetrics>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

using namespace zq;
using namespace zq::test;

// Every window of the program as a user of today's desktop meets it: on a
// screen scaled to twice the size (the whole suite runs so), read by a screen
// reader.
class TestEveryWindow : public QObject
{
    Q_OBJECT
private slots:
    void controlsAreNamed();
    void picturesAreSharp();
    void captionsFit();

private:
    // Opens each window in turn, in a state where its value labels are
    // still empty and again where they show figures.
    QStringList visitEveryWindow(const std::function<QStringList(QWidget *)> &visit);
};

namespace {

QString accessibleName(QObject *o)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

// Frames and parts that only hold other controls need no name.
bool isContainer(QWidget *w)
{
    const QString cls = QString::fromLatin1(w->metaObject()->className());
    return cls == QLatin1String("QWidget") || cls == QLatin1String("QFrame") || cls == QLatin1String("QGroupBox")
           || cls.endsWith(QLatin1String("Part"));
}

// Buttons and labels are named by their captions, value labels and pictures
// by their roles; boxes and grids need a role of their own (inside a group box Qt would otherwise
// name every box after the group's title).
QString nameOf(QWidget *w)
{
    const bool captioned = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w);
    return captioned ? accessibleName(w) : w->accessibleName().trimmed();
}

// The window's named controls and toolbar buttons that carry no name.
QStringList unnamedControls(QWidget *window)
{
    QStringList missing;
    const QString prefix = window->objectName() + u'/';
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        const bool control = (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
                             || (qobject_cast<QAbstractButton *>(w) && qobject_cast<QToolBar *>(w->parentWidget()));
        if (control && !w->inherits("QMenu") && !isContainer(w) && nameOf(w).isEmpty())
            missing << prefix + name + u':' + QString::fromLatin1(w->metaObject()->className());
    }
    // A combo box is read as AT-SPI gives it: by its value, after the label
    // related to it; its line edit and list have names of their own.
    for (QComboBox *box : window->findChildren<QComboBox *>()) {
        if (!box->isVisibleTo(window))
            continue;
        const auto labels = QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label);
        if (labels.isEmpty() || labels.first().first->text(QAccessible::Name).isEmpty())
            missing << prefix + box->objectName() + QStringLiteral(":label");
        for (QWidget *part : {static_cast<QWidget *>(box->lineEdit()), static_cast<QWidget *>(box->view())})
            if (part && part->accessibleName().isEmpty())
                missing << prefix + box->objectName() + u':' + QString::fromLatin1(part->metaObject()->className());
    }
    for (QAction *a : window->findChildren<QAction *>())
        if (!a->isSeparator() && !a->objectName().isEmpty() && a->text().remove(u'&').trimmed().isEmpty())
            missing << prefix + a->objectName();
    return missing;
}

} // namespace

QStringList TestEveryWindow::visitEveryWindow(const std::function<QStringList(QWidget *)> &visit)
{
    AppFixture fx;
    QStringList found;
    QStringList seen;
    const auto check = [&](const QString &name) {
        QWidget *w = AppFixture::window(name);
        if (!w) {
            found << name + QStringLiteral(" did not open");
            return;
        }
        seen << name;
        found << visit(w);
    };

    fx.app->showMenu();
    QWidget *menu = AppFixture::window(QStringLiteral("MENU"));
    check(QStringLiteral("MENU"));
    menu->findChild<QAction *>(QStringLiteral("MX33"))->trigger();
    check(QStringLiteral("VER"));
    AppFixture::window(QStringLiteral("VER"))->close();
    fx.app->openStorageFolder();
    check(QStringLiteral("FILECTL"));
    AppFixture::window(QStringLiteral("FILECTL"))->close();

    fx.app->openAdder();
    QWidget *kasan = AppFixture::window(QStringLiteral("KASAN"));
    check(QStringLiteral("KASAN"));
    child<IndexedToolbar>(kasan, QStringLiteral("Toolbar1"))->button(3)->trigger();
    check(QStringLiteral("INSATSU"));
    AppFixture::window(QStringLiteral("INSATSU"))->close();
    kasan->close();

    fx.app->openTally();
    QWidget *shukei = AppFixture::window(QStringLiteral("SHUKEI"));
    check(QStringLiteral("SHUKEI"));
    // Headed by each item the set-up offers, 店番号 last.
    for (const QString &item : ItemChoices() + QStringList{QStringLiteral("店番号")}) {
        ShowTally(*fx.app, shukei, TallyData({{{3, 2, 1000}, {7, 1, 500}}}, 4, item));
        check(QStringLiteral("SHUKEI"));
    }
    shukei->findChild<QAction *>(QStringLiteral("M4"))->trigger();
    check(QStringLiteral("PRINT_1"));
    AppFixture::window(QStringLiteral("PRINT_1"))->close();
    click(shukei, QStringLiteral("Command10"));
    check(QStringLiteral("ICHIRAN"));
    AppFixture::window(QStringLiteral("ICHIRAN"))->findChild<QAction *>(QStringLiteral("M15"))->trigger();
    check(QStringLiteral("GRAPH"));

    if (seen.size() != 14)
        found << QStringLiteral("windows seen: ") + seen.join(u' ');
    return found;
}

void TestEveryWindow::controlsAreNamed()
{
    QString readTotal;
    QStringList readGrid;
    const QStringList missing = visitEveryWindow([&](QWidget *w) {
        QStringList found = unnamedControls(w);
        if (auto *total = w->findChild<QLabel *>(QStringLiteral("Label17")); total && !total->text().isEmpty())
            readTotal = accessibleName(total);
        // Every grid is a table whose cells a screen reader reads one by one.
        for (LegacyGrid *grid : w->findChildren<LegacyGrid *>()) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(grid);
            QAccessibleTableInterface *table = iface->tableInterface();
            if (iface->role() != QAccessible::Table || !table || table->rowCount() != grid->rows() - 1
                || table->columnCount() != grid->cols() || iface->childCount() != table->rowCount() * grid->cols()) {
                found << w->objectName() + u'/' + grid->objectName() + QStringLiteral(" is no table");
                continue;
            }
            if (grid->objectName() == QLatin1String("G3") && !grid->text(1, 1).trimmed().isEmpty()) {
                QAccessibleInterface *cell = table->cellAt(0, 3);
                readGrid = QStringList{table->columnDescription(1), table->cellAt(0, 1)->text(QAccessible::Name),
                                       cell->text(QAccessible::Name), table->columnDescription(3)};
                if (iface->indexOfChild(cell) != 3 || iface->child(3) != cell || !cell->tableCellInterface()
                    || cell->tableCellInterface()->table() != iface)
                    found << QStringLiteral("G3 cells are not its children");
            }
        }
        return found;
    });
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
    // A value label is read as its role and the value it shows.
    QCOMPARE(readTotal, QStringLiteral("総合計金額 1,500"));
    QCOMPARE(readGrid, (QStringList{"店番号", "3", "1,000", "金　額"}));
}

// Pictures are drawn at the screen's pixel ratio, not scaled up from one
// pixel a pixel.
void TestEveryWindow::picturesAreSharp()
{
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    int pictures = 0;
    const QStringList blurred = visitEveryWindow([&](QWidget *w) {
        QStringList found;
        for (QLabel *l : w->findChildren<QLabel *>()) {
            const QPixmap pm = l->pixmap();
            if (pm.isNull())
                continue;
            ++pictures;
            if (pm.devicePixelRatio() != 2.0 || pm.size() != l->size() * 2)
                found << w->objectName() + u'/' + l->objectName();
        }
        for (QToolButton *b : w->findChildren<QToolButton *>()) {
            if (b->icon().isNull() || b->objectName().startsWith(QLatin1String("qt_")))
                continue;
            ++pictures;
            if (b->icon().pixmap(b->iconSize(), 2.0).size() != b->iconSize() * 2)
                found << w->objectName() + u'/' + (b->defaultAction() ? b->defaultAction()->objectName() : b->objectName());
        }
        return found;
    });
    QVERIFY2(blurred.isEmpty(), qPrintable(blurred.join(u' ')));
    QVERIFY(pictures > 10);
}

// No caption is cut off: each one-line caption fits inside its control, and
// each header of a grid inside its column.
void TestEveryWindow::captionsFit()
{
    const QStringList clipped = visitEveryWindow([](QWidget *w) {
        QStringList found;
        // A month figure stands on the line of its caption ("4 月度").
        static const char *const figures[][2] = {{"Label2", "Label4"}, {"Label3", "Label5"}, {"Label20", "Label21"},
                                                 {"Label8", "Label9"}, {"Label10", "Label12"}, {"Label11", "Label12"}};
        for (const auto &[figure, caption] : figures) {
            const auto *a = w->findChild<QLabel *>(QString::fromLatin1(figure));
            const auto *b = w->findChild<QLabel *>(QString::fromLatin1(caption));
            if (w->objectName() == QLatin1String("SHUKEI") && a && b && std::abs(TextBaseline(a) - TextBaseline(b)) > 1)
                found << QStringLiteral("%1/%2 %3 above %4").arg(w->objectName(), QString::fromLatin1(figure)).arg(TextBaseline(b) - TextBaseline(a)).arg(QString::fromLatin1(caption));
        }
        for (QWidget *c : w->findChildren<QWidget *>()) {
            QString text;
            int room = 0;
            if (auto *b = qobject_cast<QPushButton *>(c)) {
                text = b->text();
                room = b->width() - 4; // the frame of the button
            } else if (auto *l = qobject_cast<QLabel *>(c); l && !l->wordWrap() && l->pixmap().isNull()) {
                text = l->text();
                room = l->contentsRect().width();
            }
            QFont font = c->font();
            if (auto *g = qobject_cast<LegacyGrid *>(c)) {
                for (int col = 0; col < g->cols(); ++col) {
                    const QString header = g->text(0, col);
                    const int needed = QFontMetrics(g->cellFont(0, col)).horizontalAdvance(header);
                    if (needed > g->textRoom(col))
                        found << QStringLiteral("%1/%2 \"%3\" %4>%5").arg(w->objectName(), c->objectName(), header).arg(needed).arg(g->textRoom(col));
                }
                continue;
            }
            text.remove(u'&');
            if (text.isEmpty() || text.contains(u'\n'))
                continue;
            const int needed = QFontMetrics(font).horizontalAdvance(text);
            if (needed > room)
                found << QStringLiteral("%1/%2 \"%3\" %4>%5").arg(w->objectName(), c->objectName(), text).arg(needed).arg(room);
        }
        return found;
    });
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", qEnvironmentVariable("ZQ_TEST_SCALE", QStringLiteral("2")).toLatin1());
    QApplication app(argc, argv);
    UseProgramFonts(); // as the program has them
    TestEveryWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_every_window.moc"
