#pragma once
// The BDMV tab: the folder row, index.bdmv (titles, First Playback, Top Menu, ExtensionData) and
// MovieObject.bdmv (movie objects, their command grid and the command editor). A view over the
// session's disc: every edit is a library call followed by a redraw of the rows it changed.

#include "hdmv/command.h"
#include "session/session.h"

#include <QWidget>

#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableWidget;
class QToolButton;

namespace mirtal::ui {

class TfMain;
class TIntEdit;
class THexEdit;

class BdmvTab : public QWidget {
    Q_OBJECT
public:
    // runObjects: the run panel's movie-object list below the tabs, which follows the selection.
    BdmvTab(TfMain& frame, session::Session& session, QComboBox* runObjects, QWidget* parent = nullptr);

    void bReadBDMVClick();
    void bbOpenDirClick();
    void bIndExDatEditClick();
    void bObjExtDatEditClick();
    void bbTiinsClick();
    void bbTidelClick();
    void bbObinsClick();
    void bbObdelClick();
    void bbNCinsClick();
    void bbNCdelClick();
    // Ctrl+C and Ctrl+V in the command grid: the selected lines as program text, and the
    // clipboard's lines inserted after the current line.
    void copyCommandLines();
    void pasteCommandLines();
    // The last line of the command grid's selection; nullopt for an empty program or none.
    [[nodiscard]] std::optional<size_t> lastSelectedLine(size_t object) const;

    [[nodiscard]] QString folderText() const;
    void setFolderText(const QString& path);
    // The movie object whose commands the grid shows.
    [[nodiscard]] std::optional<size_t> currentObject() const;
    void selectCommandLine(size_t line);
    [[nodiscard]] int commandRowCount() const;
    // The movie-objects panel's height (the settings' "ObjectHeight") and the splitter.
    [[nodiscard]] int objectPanelHeight() const;
    void setObjectPanelHeight(int height);
    // Keys of the title and command grids; true when the key was taken.
    bool gridKey(QObject* watched, QKeyEvent* key);

signals:
    // A read of the folder ended; ok is false when a required check failed.
    void discOpened(bool ok);

private:
    QWidget* buildIndexGroup();
    QWidget* buildMovieObjectGroup();
    QWidget* buildCommandPanel();
    void connectControls();
    void connectCommandEditor();

    void resetViews();
    void fillAfterRead();
    void fillObjectLists();
    void fillFirstPlayback();
    void fillTopMenu();
    void refreshTitles();
    void refreshObjects();
    void refreshExtensionCaptions();
    void setTitleEditorsEnabled(bool on);
    void titleSelected(int row);
    void fillTitleEditors(int title);
    void objectSelected(int row);
    void selectObjectRow(int row);
    [[nodiscard]] std::optional<size_t> currentTitle() const;

    void titleNoChanged(int index);
    void titleEditorChanged();
    void fpbOnClicked(bool on);
    void fpbTypeChanged(int index);
    void tmOnClicked(bool on);
    void tmTypeChanged(int index);
    void flagsChanged();

    void renderCommands();
    void renderCommandRow(size_t line);
    void refreshCommandRows();
    void setCommandEditorEnabled(bool on);
    void commandSelected(int row);
    void fillCommandEditor(size_t line);
    [[nodiscard]] hdmv::TNavCommand* currentCommand();
    [[nodiscard]] std::optional<size_t> currentLine() const;
    void commandEdited(bool refill);
    void showValidity(bool valid);
    void commandKey(QKeyEvent* event);
    void commandDoubleClicked(int row);

    TfMain& m_frame;
    session::Session& m_session;
    bdmv::Disc& m_disc;
    core::Report& m_report;
    QComboBox* m_objectList;
    bool m_filling = false;    // the views are being filled: change actions stay quiet
    std::optional<size_t> m_object;

    QLineEdit* m_bdmvDir = nullptr;
    QToolButton* m_openDir = nullptr;
    QPushButton* m_readBdmv = nullptr;
    QLineEdit* m_contentProvider = nullptr;
    QTableWidget* m_titles = nullptr;
    QComboBox* m_titleNo = nullptr;
    QComboBox* m_titleOT = nullptr;
    QComboBox* m_titleAT = nullptr;
    QComboBox* m_titlePBT = nullptr;
    QComboBox* m_titleOID = nullptr;
    QComboBox* m_titleFN = nullptr;
    QToolButton* m_tiIns = nullptr;
    QToolButton* m_tiDel = nullptr;
    QCheckBox* m_fpbOn = nullptr;
    QComboBox* m_fpbType = nullptr;
    QComboBox* m_fpbPBType = nullptr;
    QComboBox* m_fpbObject = nullptr;
    QComboBox* m_fpbFile = nullptr;
    QCheckBox* m_tmOn = nullptr;
    QComboBox* m_tmType = nullptr;
    QComboBox* m_tmObject = nullptr;
    QComboBox* m_tmFile = nullptr;
    QLabel* m_indExtCaption = nullptr;
    QPushButton* m_indExtEdit = nullptr;
    QSplitter* m_objectSplitter = nullptr;
    int m_objectHeight = 79;
    QTableWidget* m_objects = nullptr;
    QComboBox* m_resume = nullptr;
    QComboBox* m_menuCall = nullptr;
    QComboBox* m_titleSearch = nullptr;
    QToolButton* m_obIns = nullptr;
    QToolButton* m_obDel = nullptr;
    QTableWidget* m_commands = nullptr;
    QComboBox* m_cmdGrp = nullptr;
    QComboBox* m_cmdSGrp = nullptr;
    QComboBox* m_cmd = nullptr;
    QCheckBox* m_op1On = nullptr;
    QCheckBox* m_op2On = nullptr;
    QComboBox* m_op1Type = nullptr;
    QComboBox* m_op2Type = nullptr;
    TIntEdit* m_op1 = nullptr;
    TIntEdit* m_op2 = nullptr;
    THexEdit* m_och = nullptr;
    THexEdit* m_deh = nullptr;
    THexEdit* m_soh = nullptr;
    QLabel* m_valid = nullptr;
    QToolButton* m_ncIns = nullptr;
    QToolButton* m_ncDel = nullptr;
    QLabel* m_objExtCaption = nullptr;
    QPushButton* m_objExtEdit = nullptr;
};

}  // namespace mirtal::ui
