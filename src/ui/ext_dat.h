#pragma once
// TfExtDat: the modal ExtensionData dialog. It works on a copy of a file's block; only OK hands
// the copy back (block()).

#include "core/extension_data.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;
class QTextEdit;

namespace mirtal::ui {

class TfExtDat : public QDialog {
    Q_OBJECT
public:
    explicit TfExtDat(QWidget* parent = nullptr);

    // The subject ("index.bdmv", "MovieObject.bdmv", "00001.mpls") and the block to edit.
    void setBlock(const QString& subject, const core::TExtensionData& block);
    [[nodiscard]] const core::TExtensionData& block() const { return m_block; }
    // The starting folder of the Load and Save file dialogs (the Options tab's output folder).
    void setOutputFolder(const QString& folder) { m_outputFolder = folder; }

    // The buttons' actions; Load and Save take the file chosen in their dialogs.
    void bbDelExtDatClick();
    bool loadExtDat(const QString& file);
    bool saveExtDat(const QString& file);

private:
    void refresh();
    void sgExtDatEntryClick(int row);
    void sgExtDatEntrySetEditText(int row, int column);
    void bbLoadExtDatClick();
    void bbSaveExtDatClick();

    core::TExtensionData m_block;
    QString m_subject;
    QString m_outputFolder;
    bool m_filling = false;
    QLabel* m_summary;
    QTableWidget* m_entries;
    QTextEdit* m_data;
    QPushButton* m_delete;
    QPushButton* m_load;
    QPushButton* m_save;
};

}  // namespace mirtal::ui
