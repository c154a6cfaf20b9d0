#pragma once
#include <QPixmap>
#include <QWidget>

// The picture shown while the main window and the database are prepared.
class TFrmSplush : public QWidget
{
    Q_OBJECT
public:
    explicit TFrmSplush(const QString &programDir, QWidget *parent = nullptr);
    bool hasPicture() const { return !m_picture.isNull(); }
    int storedTheme() const { return m_theme; }

protected:
    void showEvent(QShowEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    QString m_programDir;
    QPixmap m_picture;
    int m_theme = 0;
};
