// The frame's dialogs: questions, file choices, the desktop's "open with" and the ExtensionData
// dialog. Each can be answered by a test in its place.

#include "ui/ext_dat.h"
#include "ui/main_window.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace mirtal::ui {

TfMain::Answer TfMain::ask(const QString& question, bool withCancel)
{
    if (m_questionRunner)
        return m_questionRunner(question, withCancel);
    if (withCancel) {
        const auto answer = QMessageBox::question(this, windowTitle(), question,
                                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        return answer == QMessageBox::Save ? Answer::Yes : answer == QMessageBox::Discard ? Answer::No : Answer::Cancel;
    }
    return QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

QString TfMain::chooseFile(const QString& title, const QString& proposed, const QString& filter, bool save)
{
    if (m_fileRunner)
        return m_fileRunner(title, proposed, save);
    return save ? QFileDialog::getSaveFileName(this, title, proposed, filter)
                : QFileDialog::getOpenFileName(this, title, proposed, filter);
}

void TfMain::openWithDesktop(const QString& path)
{
    if (m_openRunner)
        m_openRunner(path);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<core::TExtensionData> TfMain::editExtensionData(const QString& fileName, const core::TExtensionData& block)
{
    m_extDat->setOutputFolder(m_options->workDir());
    m_extDat->setBlock(fileName, block);
    const int result = m_extDatRunner ? m_extDatRunner(*m_extDat) : m_extDat->exec();
    if (result != QDialog::Accepted)
        return std::nullopt;
    return m_extDat->block();
}

}  // namespace mirtal::ui
