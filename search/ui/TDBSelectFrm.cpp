#include "TDBSelectFrm.h"

#include "Prompt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char *kFiles[3] = {"$Subject_KeyStr.Txt", "$Sender_KeyStr.Txt", "$MsgBody_KeyStr.Txt"};
const QString kHint = QStringLiteral("ワイルドカード文字：「*」　/　1文字：「?」が使えます");
} // namespace

TDBSelectFrm::TDBSelectFrm(const QString &settingsFolder, int dSelRGIdx, int cDpi, QWidget *parent)
    : QDialog(parent), m_folder(settingsFolder), m_s(cDpi / 96.0)
{
    setObjectName(QStringLiteral("DBSelectFrm"));
    setWindowTitle(QStringLiteral("DB検索"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Left: dates, patterns and buttons; right: the body keywords, shown only when wide.
    auto *top = new QHBoxLayout(this);
    m_left = new QWidget(this);
    m_body = new QWidget(this);
    top->addWidget(m_left);
    top->addWidget(m_body, 1);
    auto *grid = new QGridLayout(m_left);
    grid->setContentsMargins(0, 0, 0, 0);
    auto hint = [this] {
        auto *l = new QLabel(kHint, m_left);
        l->setStyleSheet(QStringLiteral("color: blue; font-size: small;"));
        return l;
    };
    grid->addWidget(new QLabel(QStringLiteral("【検索パラメータ】"), this), 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("■受信日時範囲"), this), 1, 0, 1, 3);
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker2 = new QDateEdit(this);
    for (QDateEdit *d : {DateTimePicker1, DateTimePicker2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    }
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    grid->addWidget(DateTimePicker1, 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("～"), this), 2, 1);
    grid->addWidget(DateTimePicker2, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("■件名 "), this), 3, 0, 1, 3);
    ComboBox1 = new QComboBox(this);
    grid->addWidget(ComboBox1, 4, 0, 1, 3);
    grid->addWidget(hint(), 5, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("■送信者名"), this), 6, 0, 1, 3);
    ComboBox2 = new QComboBox(this);
    grid->addWidget(ComboBox2, 7, 0, 1, 3);
    grid->addWidget(hint(), 8, 0, 1, 3);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    for (QComboBox *c : {ComboBox1, ComboBox2}) {
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->lineEdit()->installEventFilter(this);
        c->installEventFilter(this);
    }
    connect(ComboBox1, &QComboBox::activated, this, [this](int i) { comboCloseUp(1, i); });
    connect(ComboBox2, &QComboBox::activated, this, [this](int i) { comboCloseUp(2, i); });

    auto *buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2 = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn3 = new QPushButton(QStringLiteral("閉じる"), this);
    BitBtn4 = new QPushButton(QStringLiteral("→"), this);
    BitBtn4->setToolTip(QStringLiteral("本文検索 画面拡張"));
    BitBtn4->setFixedWidth(int(32 * m_s));
    for (QPushButton *b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    grid->addLayout(buttons, 9, 0, 1, 3);

    auto *body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    auto *caption = new QLabel(QStringLiteral("■本文"), m_body);
    caption->setObjectName(QStringLiteral("BodyCaption"));
    body->addWidget(caption);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    body->addWidget(Memo1, 1);
    RadioGroup1 = new QGroupBox(QStringLiteral("キーワード接続関数"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto *rl = new QHBoxLayout(RadioGroup1);
    Radio[0] = new QRadioButton(QStringLiteral("or 接続"), RadioGroup1);
    Radio[1] = new QRadioButton(QStringLiteral("and 接続"), RadioGroup1);
    rl->addWidget(Radio[0]);
    rl->addWidget(Radio[1]);
    body->addWidget(RadioGroup1);
    Button1 = new QPushButton(QStringLiteral("クリア"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    body->addWidget(Button1);

    connect(BitBtn1, &QPushButton::clicked, this, &TDBSelectFrm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TDBSelectFrm::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TDBSelectFrm::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TDBSelectFrm::BitBtn4Click);
    connect(Button1, &QPushButton::clicked, this, &TDBSelectFrm::Button1Click);

    // FormCreate: the histories, each on its own.
    QStringList lists[3];
    for (int i = 0; i < 3; ++i) {
        if (auto r = SideFile::readLines(m_folder + u'/' + QString::fromLatin1(kFiles[i]), SideFile::Encoding::System)) {
            lists[i] = r->lines;
            m_enc[i] = r->encoding;
        }
    }
    subjectHistory.items = lists[0];
    senderHistory.items = lists[1];
    refill(ComboBox1, subjectHistory, lists[0].value(0));
    refill(ComboBox2, senderHistory, lists[1].value(0));
    Memo1->setPlainText(lists[2].join(u'\n'));
    setFixedHeight(int(280 * m_s));
    // Never narrower than the left column needs in the fonts at hand.
    const QMargins mg = top->contentsMargins();
    m_left->setFixedWidth(qMax(m_left->minimumSizeHint().width(), int(354 * m_s) - mg.left() - mg.right()));
    setMinimumWidth(m_left->minimumWidth() + mg.left() + mg.right());
    if (!Memo1->toPlainText().trimmed().isEmpty()) {
        resize(int(708 * m_s), height());
        Width_org = int(width() / 2);
    } else {
        resize(int(354 * m_s), height());
        Width_org = width();
    }
    Radio[dSelRGIdx == 1 ? 1 : 0]->setChecked(true);
    FormResize();
}

void TDBSelectFrm::refill(QComboBox *box, const ComboHistory &h, const QString &text)
{
    box->blockSignals(true);
    box->clear();
    box->addItems(h.items);
    box->setEditText(text);
    box->blockSignals(false);
}

void TDBSelectFrm::setValues(const QDate &from, const QDate &to, const QString &subject, const QString &sender)
{
    DateTimePicker1->setDate(from);
    DateTimePicker2->setDate(to);
    ComboBox1->setEditText(subject);
    ComboBox2->setEditText(sender);
    old_FromDate = from;
    old_ToDate = to;
    old_SubStr = subject;
    old_SndNameStr = sender;
}

QDate TDBSelectFrm::fromDate() const { return DateTimePicker1->date(); }
QDate TDBSelectFrm::toDate() const { return DateTimePicker2->date(); }
QString TDBSelectFrm::subjectText() const { return ComboBox1->currentText(); }
QString TDBSelectFrm::senderText() const { return ComboBox2->currentText(); }
int TDBSelectFrm::dSelRGIdx() const { return Radio[1]->isChecked() ? 1 : 0; }

void TDBSelectFrm::BitBtn1Click()
{
    SearchInput in;
    in.from = fromDate();
    in.to = toDate();
    if (in.from > in.to) {
        Prompt::current().message(QStringLiteral("日付範囲がとれません\r\n再度設定してください"), Prompt::Kind::Warning);
        DateTimePicker2->setDate(QDate::currentDate());
        DateTimePicker1->setDate(QDate::currentDate().addMonths(-1));
        m_closed = Closed::Reversed;
        accept();
        return;
    }
    in.subject = subjectText();
    in.sender = senderText();
    if (!Memo1->toPlainText().trimmed().isEmpty())
        in.bodyLines = Memo1->toPlainText().split(u'\n');
    in.bodyAnd = dSelRGIdx() == 1;
    m_search = in;
    m_closed = Closed::Ok;
    accept();
}

void TDBSelectFrm::BitBtn2Click()
{
    DateTimePicker1->setDate(old_FromDate);
    DateTimePicker2->setDate(old_ToDate);
    ComboBox1->setEditText(old_SubStr);
    ComboBox2->setEditText(old_SndNameStr);
    m_closed = Closed::Cancel;
    reject();
}

void TDBSelectFrm::BitBtn3Click()
{
    m_closed = Closed::Close;
    reject();
}

void TDBSelectFrm::Button1Click()
{
    Memo1->clear();
}

void TDBSelectFrm::BitBtn4Click()
{
    if (BitBtn4->text() == QStringLiteral("→"))
        resize(int(Width_org * 2), height());
    else
        resize(qMax(minimumWidth(), int(Width_org / 2)), height());
    FormResize();  // the caption follows the width reached
}

void TDBSelectFrm::comboEvent(int box, ComboHistory::Event e)
{
    QComboBox *c = box == 1 ? ComboBox1 : ComboBox2;
    ComboHistory &h = box == 1 ? subjectHistory : senderHistory;
    const QString text = h.apply(e, c->currentText());
    refill(c, h, text);
}

void TDBSelectFrm::comboCloseUp(int box, int index)
{
    (box == 1 ? subjectHistory : senderHistory).closeUp(index);
}

bool TDBSelectFrm::eventFilter(QObject *o, QEvent *e)
{
    const int box = (o == ComboBox1 || o == ComboBox1->lineEdit()) ? 1
                    : (o == ComboBox2 || o == ComboBox2->lineEdit()) ? 2
                                                                      : 0;
    if (box) {
        if (e->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(e);
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                comboEvent(box, ComboHistory::Event::Enter);
                return true;  // consumed: the dialog's default button does not fire
            }
        } else if (e->type() == QEvent::MouseButtonDblClick) {
            comboEvent(box, ComboHistory::Event::DblClick);
            return true;
        } else if (e->type() == QEvent::FocusOut && o != ComboBox1->lineEdit() && o != ComboBox2->lineEdit()) {
            comboEvent(box, ComboHistory::Event::Exit);
        }
    }
    return QDialog::eventFilter(o, e);
}

void TDBSelectFrm::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    FormResize();
}

void TDBSelectFrm::FormResize()
{
    const bool narrow = width() < int(480 * m_s);
    // The whole body panel goes, its caption with it.
    m_body->setVisible(!narrow);
    const QMargins mg = layout()->contentsMargins();
    const int leftPart = qMax(int(408 * m_s), m_left->minimumWidth() + mg.left() + mg.right() + layout()->spacing());
    Memo1->setFixedWidth(qMax(0, width() - leftPart));
    const bool opened = Width_org > 50 && width() > Width_org + 1;
    BitBtn4->setText(opened ? QStringLiteral("←") : QStringLiteral("→"));
    BitBtn4->setToolTip(opened ? QStringLiteral("本文検索 画面閉じる") : QStringLiteral("本文検索 画面拡張"));
}

void TDBSelectFrm::done(int r)
{
    // FormClose: the histories, each on its own.
    const QStringList lists[3] = {subjectHistory.items, senderHistory.items, SideFile::splitLines(Memo1->toPlainText())};
    for (int i = 0; i < 3; ++i)
        SideFile::writeLines(m_folder + u'/' + QString::fromLatin1(kFiles[i]), lists[i], m_enc[i]);
    QDialog::done(r);
}
