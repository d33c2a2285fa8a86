#include "tally/setup_part.h"

#include "common/format.h"
#include "platform/key_box.h"
#include "platform/twips.h"
#include "platform/widget_builder.h"
#include "shell/application.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace zq {

namespace {

const QString SmallBoxStyle = QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; padding: 0px; }");

// The text box of the item list. While the focus leaves it, QComboBox
// reports a typed text that matches a list entry as chosen from the list;
// that is no choice of the user's.
class ItemNameEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    bool isLeaving() const { return m_leaving; }

protected:
    void focusOutEvent(QFocusEvent *event) override
    {
        const QScopedValueRollback leaving(m_leaving, true);
        QLineEdit::focusOutEvent(event);
    }

private:
    bool m_leaving = false;
};

} // namespace

SetupPart::SetupPart(Application &app, QWidget *parent)
    : QGroupBox(parent)
    , m_app(app)
{
    setObjectName(QStringLiteral("Frame1"));
    setGeometry(TwipsRect(120, 480, 3735, 1455));

    AddLabel(this, QStringLiteral("Label1"), QStringLiteral("実績集計期間："), TwipsRect(120, 280, 1335, 315));
    m_label2 = AddValueLabel(this, QStringLiteral("Label2"), QStringLiteral("開始月"), TwipsRect(1440, 240, 735, 300));
    m_label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QLabel *label4 = AddLabel(this, QStringLiteral("Label4"), QStringLiteral("月～"), TwipsRect(2200, 320, 400, 255));
    m_label3 = AddValueLabel(this, QStringLiteral("Label3"), QStringLiteral("終了月"), TwipsRect(2640, 240, 735, 300));
    m_label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QLabel *label5 = AddLabel(this, QStringLiteral("Label5"), QStringLiteral("月"), TwipsRect(3400, 320, 255, 255));
    AlignToCaption(m_label2, label4);
    AlignToCaption(m_label3, label5);
    QLabel *label6 = AddLabel(this, QStringLiteral("Label6"), QStringLiteral("項目名："), TwipsRect(120, 760, 1335, 255));
    AddLabel(this, QStringLiteral("Label7"), QStringLiteral("（この項目名の項目に入力するのは数字です）"),
             TwipsRect(120, 1080, 3615, 255));

    // The entry boxes lie over the labels that show the accepted months.
    m_text1 = new KeyBox(QStringLiteral("Text1"), this);
    m_text1->setGeometry(TwipsRect(1500, 280, 375, 195));
    m_text1->setStyleSheet(SmallBoxStyle);
    m_text2 = new KeyBox(QStringLiteral("Text2"), this);
    m_text2->setGeometry(TwipsRect(2700, 280, 375, 195));
    m_text2->setStyleSheet(SmallBoxStyle);
    SetRole(m_text1, QStringLiteral("開始月入力"));
    SetRole(m_text2, QStringLiteral("終了月入力"));

    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setGeometry(TwipsRect(1440, 720, 1335, 300));
    m_combo1->setEditable(true);
    SetRole(m_combo1, QStringLiteral("項目名"));
    auto *itemEdit = new ItemNameEdit(m_combo1);
    m_combo1->setLineEdit(itemEdit);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    // The name stands exactly as typed: no entry of the list completes it.
    m_combo1->setCompleter(nullptr);
    // On Linux a screen reader names a combo box by its value and takes
    // what it is from its label: 項目名：, then 店番号.
    label6->setBuddy(m_combo1);
    SetRole(itemEdit, QStringLiteral("項目名"));
    SetRole(m_combo1->view(), QStringLiteral("項目名の一覧"));
    // Keys reach the box through the combo box itself or its line edit.
    m_combo1->installEventFilter(this);
    m_combo1->lineEdit()->installEventFilter(this);

    connect(m_text1, &KeyBox::enterPressed, this, &SetupPart::startMonthEntered);
    connect(m_text2, &KeyBox::enterPressed, this, &SetupPart::endMonthEntered);
    connect(m_combo1, &QComboBox::activated, this, [this, itemEdit] {
        if (itemEdit->isLeaving())
            return;
        m_app.store().tally.ItemName = m_combo1->currentText();
        emit itemChosen(HelpVariant::Click);
    });
}

bool SetupPart::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_combo1 || watched == m_combo1->lineEdit()) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_app.store().tally.ItemName = m_combo1->currentText();
            emit itemChosen(HelpVariant::Enter);
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

void SetupPart::appendItemChoices()
{
    m_combo1->addItems(ItemChoices());
}

void SetupPart::resetItemChoices()
{
    m_combo1->clear();
    m_combo1->addItems(ItemChoices());
}

void SetupPart::selectItem(const QString &item)
{
    const int index = m_combo1->findText(item);
    if (index >= 0)
        m_combo1->setCurrentIndex(index);
    else
        m_combo1->setEditText(item);
    m_app.store().tally.ItemName = m_combo1->currentText();
    emit itemChosen(HelpVariant::Click);
}

void SetupPart::clearMonthLabels()
{
    m_label2->clear();
    m_label3->clear();
}

void SetupPart::showNoPeriod()
{
    m_label2->setText(MonthDisplay(0));
    m_label3->setText(MonthDisplay(0));
}

void SetupPart::showPeriod(double startMonth, double endMonth)
{
    m_label2->setText(FormatNumber(startMonth, u"# "));
    m_label3->setText(FormatNumber(endMonth, u"# "));
}

void SetupPart::showItemName(const QString &name)
{
    m_combo1->setEditText(name);
}

void SetupPart::capture(TallyScreen &screen) const
{
    screen.texts[TallyScreen::StartMonth] = m_label2->text();
    screen.texts[TallyScreen::EndMonth] = m_label3->text();
    screen.texts[TallyScreen::Item] = m_combo1->currentText();
}

void SetupPart::show(const TallyScreen &screen)
{
    m_label2->setText(screen.texts[TallyScreen::StartMonth]);
    m_label3->setText(screen.texts[TallyScreen::EndMonth]);
    m_combo1->setEditText(screen.texts[TallyScreen::Item]);
}

void SetupPart::focusItemBox()
{
    // As a Windows combo box does when it gets the focus: the name shown is
    // selected, so that typing replaces it.
    m_combo1->setFocus();
    m_combo1->lineEdit()->selectAll();
}

void SetupPart::focusStartMonth()
{
    m_text1->setFocus();
}

void SetupPart::focusNextEntry()
{
    if (!m_label3->text().isEmpty())
        focusItemBox();
    else if (!m_label2->text().isEmpty())
        m_text2->setFocus();
    else
        m_text1->setFocus();
}

void SetupPart::refuse(KeyBox *box, const QString &message)
{
    m_app.services().messages->beep();
    m_app.services().messages->warn(window(), message);
    box->clear();
    box->setFocus();
}

void SetupPart::startMonthEntered()
{
    TallyWorkspace &ws = m_app.store().tally;
    switch (EnterStartMonth(ws, m_text1->text())) {
    case StartMonthResult::Refused:
        refuse(m_text1, QStringLiteral("月が違います！"));
        break;
    case StartMonthResult::Accepted:
        m_text1->clear();
        m_label2->setText(MonthDisplay(ws.StartMonth));
        m_text2->setFocus();
        break;
    case StartMonthResult::NoPeriod:
        m_text1->clear();
        showNoPeriod();
        focusItemBox();
        break;
    }
}

void SetupPart::endMonthEntered()
{
    TallyWorkspace &ws = m_app.store().tally;
    switch (EnterEndMonth(ws, m_text2->text())) {
    case EndMonthResult::Refused:
        refuse(m_text2, QStringLiteral("月が違います！"));
        break;
    case EndMonthResult::TooLong:
        refuse(m_text2, QStringLiteral("６ｹ月以内！"));
        break;
    case EndMonthResult::Accepted:
        m_label3->setText(MonthDisplay(ws.EndMonth));
        m_text2->clear();
        focusItemBox();
        break;
    }
}

} // namespace zq
