#include "QtPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString kTitle = QStringLiteral("Quernal管理");

QString toDisplay(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QWidget *ownerOr(QWidget *w)
{
    return w ? w : QApplication::activeWindow();
}

} // namespace

void QtPrompt::message(const QString &text, Kind kind)
{
    QMessageBox box(ownerOr(m_owner));
    box.setWindowTitle(kTitle);
    box.setText(toDisplay(text));
    box.setIcon(kind == Kind::Error     ? QMessageBox::Critical
                : kind == Kind::Warning ? QMessageBox::Warning
                                        : QMessageBox::Information);
    box.exec();
}

Prompt::Answer QtPrompt::question(const QString &text, bool defaultYes)
{
    QMessageBox box(ownerOr(m_owner));
    box.setWindowTitle(kTitle);
    box.setIcon(QMessageBox::Question);
    box.setText(toDisplay(text));
    QPushButton *yes = box.addButton(QMessageBox::Yes);
    QPushButton *no = box.addButton(QMessageBox::No);
    box.setDefaultButton(defaultYes ? yes : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

QStringList QtPrompt::openFileNames(const QString &caption, const QString &folder, const QStringList &filters,
                                    int *filterIndex, bool multiple)
{
    QFileDialog dlg(ownerOr(m_owner), caption, folder);
    dlg.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dlg.setNameFilters(filters);
    if (filterIndex && *filterIndex >= 0 && *filterIndex < filters.size())
        dlg.selectNameFilter(filters.at(*filterIndex));
    if (dlg.exec() != QDialog::Accepted)
        return {};
    if (filterIndex)
        *filterIndex = int(filters.indexOf(dlg.selectedNameFilter()));
    return dlg.selectedFiles();
}

QString QtPrompt::saveFileName(const QString &caption, const QString &folder, const QString &proposedName,
                               const QStringList &filters, int *filterIndex)
{
    QFileDialog dlg(ownerOr(m_owner), caption, folder);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilters(filters);
    if (filterIndex && *filterIndex >= 0 && *filterIndex < filters.size())
        dlg.selectNameFilter(filters.at(*filterIndex));
    dlg.selectFile(proposedName);
    if (dlg.exec() != QDialog::Accepted)
        return {};
    if (filterIndex)
        *filterIndex = int(filters.indexOf(dlg.selectedNameFilter()));
    return dlg.selectedFiles().value(0);
}

QString QtPrompt::existingFolder(const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(ownerOr(m_owner), caption, folder);
}
