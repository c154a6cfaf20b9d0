#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class TFrmQuernal;

// "製品バージョン": the program, its version, the system, and the switch
// between individual and common settings.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(TFrmQuernal *main);

    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Comments = nullptr;
    QLabel *OSLabel = nullptr;
    QPushButton *Button1 = nullptr;
    int CNum = 1;

    void Button1Click();

private:
    void refreshButton();
    TFrmQuernal *m_main;
};
