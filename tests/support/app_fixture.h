#pragma once

#include "fake_services.h"
#include "tally_data.h"
#include "platform/fonts.h"
#include "platform/tool_window.h"
#include "shell/application.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

namespace zq::test {

// The application on recording fakes, with its program folder in a
// temporary directory.
struct AppFixture {
    QTemporaryDir programDir;
    QTemporaryDir configDir;
    FakeServices fake;
    std::unique_ptr<Application> app;
    int quitCalls = 0;

    AppFixture()
    {
        InstallFontSubstitutions();
        app = std::make_unique<Application>(fake.services(), SetqLocation(programDir.path(), configDir.path()),
                                            [this] { ++quitCalls; });
    }

    ~AppFixture()
    {
        app.reset();
        settle();
    }

    // Lets closed windows go away.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // The visible top-level window with this name, if any.
    static QWidget *window(const QString &name)
    {
        settle();
        QWidget *found = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible())
                found = w;
        return found;
    }

    static int visibleWindowCount(const QString &name)
    {
        settle();
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible())
                ++n;
        return n;
    }
};

// Another window of the program, standing in for a secondary window: it
// counts its activations.
class OtherWindow : public ToolWindow
{
public:
    explicit OtherWindow(ActivationTracker &t, const QString &name = QStringLiteral("OTHER"))
        : ToolWindow(t, name)
    {
    }
    int activations = 0;
    std::function<void()> onActivated;

protected:
    void activated() override
    {
        ++activations;
        if (onActivated)
            onActivated();
    }
};

template <typename T>
T *child(QWidget *window, const QString &name)
{
    T *c = window ? window->findChild<T *>(name) : nullptr;
    if (!c)
        qWarning("no child %s", qPrintable(name));
    return c;
}

inline void click(QWidget *window, const QString &button)
{
    QPushButton *b = child<QPushButton>(window, button);
    QVERIFY(b);
    QVERIFY(b->isEnabled());
    b->click();
}

// The tally window after a tally of `data` (集計ボタン on that input),
// month 1 in the input grid.
inline void ShowTally(Application &app, QWidget *shukei, const TallyData &data)
{
    TallyWorkspace &ws = app.store().tally;
    const int curRow = ws.CurRow;
    const int curLine = ws.CurLine;
    ws = data.ws;
    ws.CurRow = curRow;
    ws.CurLine = curLine;
    ws.InputMonth = 1;
    QPushButton *command1 = child<QPushButton>(shukei, QStringLiteral("Command1"));
    command1->setEnabled(true);
    command1->click();
}

inline QString labelText(QWidget *window, const QString &label)
{
    QLabel *l = child<QLabel>(window, label);
    return l ? l->text() : QStringLiteral("<missing>");
}

// The texts of these labels, in order.
inline QStringList labelTexts(QWidget *window, const QStringList &labels)
{
    QStringList out;
    for (const QString &l : labels)
        out << labelText(window, l);
    return out;
}

// Types a text into a box one character at a time, as a keyboard or an
// input method delivers it (Japanese characters included).
inline void typeText(QWidget *box, const QString &text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, QString(ch),
                            Qt::NoModifier);
}

// Types a text as a Japanese input method does: composing text first, then
// the committed text in one input-method event, not as key presses.
inline void commitText(QWidget *box, const QString &composing, const QString &committed)
{
    QInputMethodEvent preedit(composing, {});
    QApplication::sendEvent(box, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString(committed);
    QApplication::sendEvent(box, &commit);
}

inline void pressEnter(QWidget *box)
{
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace zq::test
