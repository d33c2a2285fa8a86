#include "calc/dentaku_window.h"

#include "platform/accessible_names.h"
#include "platform/fonts.h"
#include "platform/services.h"
#include "shell/artwork.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zq {

namespace {

using Key = Calculator::Key;

struct KeySpec {
    Key key;
    const char *name;      // objectName
    const char16_t *caption;
    const char16_t *spoken; // accessible name, where the caption is a sign
    int row, col, rowSpan;
};

// Six rows of five, as on a desk calculator: memory and tax on top, the
// digits at the left, ＝ at the bottom right.
const KeySpec Keys[] = {
    {Key::MemoryClear, "KeyMC", u"MC", u"メモリークリア", 0, 0, 1},
    {Key::MemoryRecall, "KeyMR", u"MR", u"メモリー呼出し", 0, 1, 1},
    {Key::MemoryMinus, "KeyMMinus", u"M−", u"メモリーマイナス", 0, 2, 1},
    {Key::MemoryPlus, "KeyMPlus", u"M+", u"メモリープラス", 0, 3, 1},
    {Key::TaxIn, "KeyTaxIn", u"税込", nullptr, 0, 4, 1},
    {Key::GrandTotal, "KeyGT", u"GT", u"総合計", 1, 0, 1},
    {Key::SquareRoot, "KeyRoot", u"√", u"平方根", 1, 1, 1},
    {Key::Percent, "KeyPercent", u"%", u"パーセント", 1, 2, 1},
    {Key::Sign, "KeySign", u"±", u"符号", 1, 3, 1},
    {Key::TaxOut, "KeyTaxOut", u"税抜", nullptr, 1, 4, 1},
    {Key::Digit7, "Key7", u"7", nullptr, 2, 0, 1},
    {Key::Digit8, "Key8", u"8", nullptr, 2, 1, 1},
    {Key::Digit9, "Key9", u"9", nullptr, 2, 2, 1},
    {Key::Divide, "KeyDivide", u"÷", u"割る", 2, 3, 1},
    {Key::AllClear, "KeyAC", u"AC", u"オールクリア", 2, 4, 1},
    {Key::Digit4, "Key4", u"4", nullptr, 3, 0, 1},
    {Key::Digit5, "Key5", u"5", nullptr, 3, 1, 1},
    {Key::Digit6, "Key6", u"6", nullptr, 3, 2, 1},
    {Key::Multiply, "KeyMultiply", u"×", u"掛ける", 3, 3, 1},
    {Key::Clear, "KeyC", u"C", u"クリア", 3, 4, 1},
    {Key::Digit1, "Key1", u"1", nullptr, 4, 0, 1},
    {Key::Digit2, "Key2", u"2", nullptr, 4, 1, 1},
    {Key::Digit3, "Key3", u"3", nullptr, 4, 2, 1},
    {Key::Subtract, "KeySubtract", u"−", u"引く", 4, 3, 1},
    {Key::Backspace, "KeyBackspace", u"→", u"一桁消去", 4, 4, 1},
    {Key::Digit0, "Key0", u"0", nullptr, 5, 0, 1},
    {Key::DoubleZero, "Key00", u"00", nullptr, 5, 1, 1},
    {Key::Point, "KeyPoint", u"・", u"小数点", 5, 2, 1},
    {Key::Add, "KeyAdd", u"+", u"足す", 5, 3, 1},
    {Key::Equals, "KeyEquals", u"＝", u"イコール", 5, 4, 1},
};

// The keyboard: the character a key types, then the keys without one.
std::optional<Key> keyOf(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Equals;
    case Qt::Key_Backspace: return Key::Backspace;
    case Qt::Key_Escape: return Key::AllClear;
    case Qt::Key_Delete: return Key::Clear;
    default: break;
    }
    const QString text = event->text();
    if (text.size() != 1)
        return std::nullopt;
    const QChar c = text[0];
    if (c >= u'0' && c <= u'9')
        return Key(int(Key::Digit0) + (c.unicode() - u'0'));
    switch (c.unicode()) {
    case u'.': case u',': return Key::Point;
    case u'+': return Key::Add;
    case u'-': return Key::Subtract;
    case u'*': return Key::Multiply;
    case u'/': return Key::Divide;
    case u'=': return Key::Equals;
    case u'%': return Key::Percent;
    default: return std::nullopt;
    }
}

} // namespace

void PrepareCalculatorProgram()
{
    QApplication::setApplicationName(QStringLiteral("ZQDENTAK"));
    QApplication::setDesktopFileName(QStringLiteral("org.zq.ZQDENTAK"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallFontSubstitutions();
    InstallAccessibleNames();
}

DentakuWindow::DentakuWindow(ClipboardService &clipboard, MessageService &messages, QWidget *parent)
    : QWidget(parent)
    , m_clipboard(clipboard)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("DENTAK"));
    setWindowTitle(QStringLiteral("ZQ電卓"));
    setFocusPolicy(Qt::StrongFocus);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setAutoFillBackground(true);
    QPalette lcd = panel->palette();
    lcd.setColor(QPalette::Window, QColor(0xd8, 0xe4, 0xc8));
    lcd.setColor(QPalette::WindowText, QColor(0x10, 0x18, 0x10));
    panel->setPalette(lcd);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(8, 4, 8, 4);
    panelLayout->setSpacing(0);
    m_state = new QLabel(panel);
    m_state->setObjectName(QStringLiteral("State"));
    // Read with what they show: "表示 1,974.", "状態 M  GT".
    SetValueRole(m_state, QStringLiteral("状態"));
    m_state->setFont(LegacyFont(GothicFont, 9, true));
    m_display = new QLabel(panel);
    m_display->setObjectName(QStringLiteral("Display"));
    SetValueRole(m_display, QStringLiteral("表示"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFont(LegacyFont(GothicFont, 20, true));
    m_display->setMinimumWidth(m_display->fontMetrics().horizontalAdvance(QStringLiteral("-888,888,888,888.")) + 8);
    m_display->setTextInteractionFlags(Qt::NoTextInteraction);
    panelLayout->addWidget(m_state);
    panelLayout->addWidget(m_display);
    layout->addWidget(panel);

    auto *grid = new QGridLayout;
    grid->setSpacing(4);
    const QFont keyFont = LegacyFont(PGothicFont, 11, true);
    for (const KeySpec &k : Keys) {
        auto *b = new QPushButton(QString::fromUtf16(k.caption), this);
        b->setObjectName(QString::fromLatin1(k.name));
        b->setAccessibleName(QString::fromUtf16(k.spoken ? k.spoken : k.caption));
        b->setFocusPolicy(Qt::NoFocus);
        b->setFont(keyFont);
        b->setMinimumSize(52, 36);
        grid->addWidget(b, k.row, k.col, k.rowSpan, 1);
        const Key key = k.key;
        connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
        m_buttons[key] = b;
    }
    layout->addLayout(grid);
    refresh();
}

QPushButton *DentakuWindow::button(Calculator::Key key) const
{
    const auto it = m_buttons.find(key);
    return it == m_buttons.end() ? nullptr : it->second;
}

void DentakuWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy))
        return copy();
    if (event->matches(QKeySequence::Paste))
        return paste();
    if (const std::optional<Key> key = keyOf(event))
        return press(*key);
    QWidget::keyPressEvent(event);
}

void DentakuWindow::press(Calculator::Key key)
{
    m_calculator.press(key);
    refresh();
}

void DentakuWindow::copy()
{
    if (!m_calculator.hasError())
        m_clipboard.setText(m_calculator.copyText());
}

void DentakuWindow::paste()
{
    if (!m_calculator.paste(m_clipboard.text()))
        m_messages.beep();
    refresh();
}

void DentakuWindow::refresh()
{
    m_display->setText(m_calculator.displayText());
    QStringList state;
    if (m_calculator.hasError())
        state << QStringLiteral("E");
    if (m_calculator.hasMemory())
        state << QStringLiteral("M");
    if (m_calculator.hasGrandTotal())
        state << QStringLiteral("GT");
    if (!m_calculator.pendingOperator().isEmpty())
        state << m_calculator.pendingOperator();
    m_state->setText(state.join(QStringLiteral("  ")));
}

} // namespace zq
