#include "TFrmSplush.h"

#include "IniFile.h"
#include "SettingsLocation.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

TFrmSplush::TFrmSplush(const QString &programDir, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_programDir(programDir)
{
    setObjectName(QStringLiteral("FrmSplush"));
    setFixedSize(297, 297);
    // The splash already knows the user's theme; applying it comes with the themes.
    IniFile ini;
    ini.load(SettingsLocation::choose(programDir).iniFile);
    m_theme = ini.readInteger(QStringLiteral("Condition"), QStringLiteral("Theme"), 0);
    if (QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
}

void TFrmSplush::showEvent(QShowEvent *e)
{
    // A missing picture is no reason to stop: the window stays plain.
    m_picture.load(m_programDir + QStringLiteral("Quernal.jpg"));
    QWidget::showEvent(e);
}

void TFrmSplush::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.drawPixmap(rect(), m_picture);
        return;
    }
    p.fillRect(rect(), palette().window());
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Quernal管理"));
}
