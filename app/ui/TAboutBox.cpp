#include "TAboutBox.h"

#include "ProgramInfo.h"
#include "SettingsSwitcher.h"
#include "TFrmQuernal.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(TFrmQuernal *main) : QDialog(main), m_main(main)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("製品バージョン"));
    auto *l = new QVBoxLayout(this);
    ProductName = new QLabel(ProgramInfo::productName(), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont big = ProductName->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    ProductName->setFont(big);
    Version = new QLabel(ProgramInfo::versionText(), this);
    Version->setObjectName(QStringLiteral("Version"));
    Comments = new QLabel(QStringLiteral("本プログラムはE-Mailメーラー,\nOutlook365,GPG4Winなど\nWindows環境に依存します。"),
                          this);
    Comments->setObjectName(QStringLiteral("Comments"));
    OSLabel = new QLabel(ProgramInfo::systemText(), this);
    OSLabel->setObjectName(QStringLiteral("OSLabel"));
    Button1 = new QPushButton(this);
    Button1->setObjectName(QStringLiteral("Button1"));
    auto *ok = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    for (QWidget *w : {static_cast<QWidget *>(ProductName), static_cast<QWidget *>(Version),
                       static_cast<QWidget *>(Comments), static_cast<QWidget *>(OSLabel)})
        l->addWidget(w);
    l->addWidget(Button1, 0, Qt::AlignLeft);
    l->addWidget(ok);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &TAboutBox::Button1Click);
    refreshButton();
}

void TAboutBox::refreshButton()
{
    CNum = SettingsSwitcher::cNum();
    Button1->setText(SettingsSwitcher::buttonCaption(CNum));
}

void TAboutBox::Button1Click()
{
    SettingsSwitcher::State st{m_main->MyAppDataPath, m_main->IniFilePath, m_main->common_ConfigFlg};
    const auto outcome = SettingsSwitcher(m_main->ProgramDir).run(st);
    if (outcome == SettingsSwitcher::Outcome::Unchanged)
        return;
    m_main->MyAppDataPath = st.myAppDataPath;
    m_main->IniFilePath = st.iniFilePath;
    m_main->common_ConfigFlg = st.commonConfigFlg;
    if (outcome == SettingsSwitcher::Outcome::RestartNeeded) {
        accept();
        m_main->requestRestart();
        return;
    }
    refreshButton();
}
