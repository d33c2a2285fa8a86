#include "../support/fake_services.h"
#include "../support/files.h"

#include "platform/qt_services.h"
#include "platform/user_files.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zq;
using namespace zq::test;

// The real save dialog of the program, typed into as a user types.
class TestSaveDialog : public QObject
{
    Q_OBJECT
private slots:
    void nameCheckedIsNameWritten_data();
    void nameCheckedIsNameWritten();
};

void TestSaveDialog::nameCheckedIsNameWritten_data()
{
    QTest::addColumn<QString>("extension"); // empty: a tape or tally file, named exactly as typed
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("replace");      // the answer to the prompt, if one comes
    QTest::addColumn<QString>("prompted");  // the file the prompt names; empty: none
    QTest::addColumn<QString>("written");   // empty: nothing written
    QTest::newRow("PDF typed without extension, いいえ") << "pdf" << "tape.pdf" << "tape" << false << "tape.pdf" << "";
    QTest::newRow("PDF typed without extension, はい") << "pdf" << "tape.pdf" << "tape" << true << "tape.pdf" << "tape.pdf";
    QTest::newRow("CSV in another case, いいえ") << "csv" << "list.CSV" << "list.CSV" << false << "list.CSV" << "";
    QTest::newRow("CSV typed without extension") << "csv" << "list.csv" << "list" << false << "list.csv" << "";
    QTest::newRow("PNG typed without extension") << "png" << "chart_amount.png" << "chart_amount" << false
                                                 << "chart_amount.png" << "";
    QTest::newRow("a point in the name") << "pdf" << "4.5月.pdf" << "4.5月" << false << "4.5月.pdf" << "";
    QTest::newRow("the name without extension exists") << "pdf" << "tape" << "tape" << false << "" << "tape.pdf";
    QTest::newRow("KSN as typed, いいえ") << "" << "tape.KSN" << "tape.KSN" << false << "tape.KSN" << "";
    QTest::newRow("KSN as typed, no extension") << "" << "tape.KSN" << "tape" << false << "" << "tape";
    QTest::newRow("SUK as typed, はい") << "" << "a.SUK" << "a.SUK" << true << "a.SUK" << "a.SUK";
}

void TestSaveDialog::nameCheckedIsNameWritten()
{
    QFETCH(QString, extension);
    QFETCH(QString, existing);
    QFETCH(QString, typed);
    QFETCH(bool, replace);
    QFETCH(QString, prompted);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QByteArray old("old bytes\r\n");
    QVERIFY(writeBytes(dir.filePath(existing), old));

    QString prompt;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(typed);
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                prompt = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            }
        });
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible()) // "いいえ" keeps the dialog open: the user cancels it
            dialog->reject();
    });
    FakeServices fake;
    QtFileDialogService dialogs;
    const FileDialogRequest request{dir.path(), QStringLiteral("ﾌｧｲﾙ|*.x"), true, extension};
    const QString path = dialogs.saveFileName(nullptr, request);
    if (!path.isEmpty())
        QVERIFY(SaveUserFile(fake.services(), nullptr, path, "new"));

    QCOMPARE(prompt.isEmpty(), prompted.isEmpty());
    QVERIFY2(prompted.isEmpty() || prompt.startsWith(prompted), qPrintable(prompt));
    QCOMPARE(path, written.isEmpty() ? QString() : dir.filePath(written));
    QCOMPARE(fileBytes(dir.filePath(existing)), existing == written ? QByteArray("new") : old);
}

QTEST_MAIN(TestSaveDialog)
#include "tst_save_dialog.moc"
