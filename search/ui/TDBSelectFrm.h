#pragma once
#include "ComboHistory.h"
#include "SearchCondition.h"
#include "SideFile.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;

// "DB検索": date range, subject and sender patterns with their histories,
// body keywords joined by or/and.
class TDBSelectFrm : public QDialog
{
    Q_OBJECT
public:
    // FormCreate: the histories from `settingsFolder`, the joining from `dSelRGIdx`.
    TDBSelectFrm(const QString &settingsFolder, int dSelRGIdx, int cDpi, QWidget *parent = nullptr);

    enum class Closed { Ok, Cancel, Close, Reversed };

    // The values as the main window hands them in (step 4 to 7 of the opening).
    void setValues(const QDate &from, const QDate &to, const QString &subject, const QString &sender);
    QDate fromDate() const;
    QDate toDate() const;
    QString subjectText() const;
    QString senderText() const;
    int dSelRGIdx() const;
    Closed closedBy() const { return m_closed; }
    // The search to apply after OK.
    std::optional<SearchInput> search() const { return m_search; }

    void BitBtn1Click();   // OK
    void BitBtn2Click();   // Cancel
    void BitBtn3Click();   // Close
    void BitBtn4Click();   // body area wider / narrower
    void Button1Click();   // クリア
    void comboEvent(int box, ComboHistory::Event e);   // box 1: subject, 2: sender
    void comboCloseUp(int box, int index);

    QDateEdit *DateTimePicker1, *DateTimePicker2;
    QComboBox *ComboBox1, *ComboBox2;
    QPlainTextEdit *Memo1;
    QGroupBox *RadioGroup1;
    QRadioButton *Radio[2];
    QPushButton *Button1, *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4;
    ComboHistory subjectHistory, senderHistory;
    int Width_org = 0;
    QDate old_FromDate, old_ToDate;
    QString old_SubStr, old_SndNameStr;

protected:
    void done(int r) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void FormResize();
    void refill(QComboBox *box, const ComboHistory &h, const QString &text);
    QString m_folder;
    double m_s = 1.0;
    QWidget *m_left = nullptr, *m_body = nullptr;
    SideFile::Encoding m_enc[3] = {SideFile::Encoding::System, SideFile::Encoding::System, SideFile::Encoding::System};
    Closed m_closed = Closed::Close;
    std::optional<SearchInput> m_search;
};
