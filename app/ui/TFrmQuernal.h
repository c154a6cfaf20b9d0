#pragma once
#include "AppSettings.h"
#include "CommandLine.h"
#include "MessageView.h"
#include "MimeReader.h"
#include "OpenAndWait.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QPair>
#include <optional>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QFontComboBox;
class QLabel;
class QMenu;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QToolBar;
class QTreeWidget;
class GpgRunner;
class HtmlView;
class SemaforeLock;
class TFileAssociationDetails;
class VirtualFileSource;
class QDragEnterEvent;
class QDragMoveEvent;
class TDBListFrm;
class TDm_Ldb;

// The main window. It holds the program's state and wires actions to the
// logic of the subsystems; it computes as little as it can itself.
class TFrmQuernal : public QMainWindow, public MessageView
{
    Q_OBJECT
public:
    // `programDir` ends in "/". The window prepares itself here (FormCreate).
    explicit TFrmQuernal(const QStringList &arguments, const QString &programDir, QWidget *parent = nullptr);
    ~TFrmQuernal() override;

    // Shared operations.
    void Delay(int ms);
    void ClearMessageView();
    QAction *action(const QString &name) const;
    QString statusText(int panel) const;

    // True once the about box or a theme change asked for a new start.
    bool restartRequested() const { return m_restart; }
    bool closed() const { return m_closed; }
    void requestRestart();
    // Brings the window to the front for a second start: restored when minimised.
    void comeForward();

    // Start-up after the window: the data module opens the store named in the
    // settings. `configure` may adjust it first (tests replace gfix).
    void createDataModule(const std::function<void(TDm_Ldb &)> &configure = {});
    void DBConnectExecute();
    void ShowResultListDocked();

    // Shows an Internet message file (fields, bodies, attachments).
    void ShowEmlMessage(const QString &path);
    void ShowOutlookItem(const QString &path);

    // Stored messages.
    void DBUpdateExecute();
    void DispMsgDatExecute();
    void DelMsgDatExecute();
    void DBGrid1DblClick();
    std::optional<QString> LoadStoredMessageFile(const QString &id, const QDateTime &date);
    // Closes the list of stored messages before a message is taken in.
    void CloseMessageList();

    // Searching and the result list.
    void DBSelectExecute();
    void DBGrid1TitleClick(const QString &field);
    void S1Click();
    void S2Click();
    void PageControl1UnDock();   // the result list leaves the page control and floats
    void DockResultList();
    void applySearch(const struct SearchInput &in);
    // Shows the search dialog; tests replace it to drive the dialog themselves.
    std::function<void(class TDBSelectFrm &)> runSearchDialog;
    QMenu *PopupMenu1 = nullptr;
    QWidget *DBSelectFrm = nullptr;  // the search dialog while it is open

    // Attachments.
    void SavetoDiskExecute();
    void OpenWithExecute();
    void SaveToDiskA1Execute();
    void SaveToDiskA2Execute();
    void OpenWithA1Execute();
    void OpenWithA2Execute();
    void ListView1DblClick();
    void ListViewDeletion();
    void ListViewMouseLeave(QTreeWidget *list);
    QString ExecuteFile;          // the attachment last written out for opening
    QStringList SaveDialog1Filters;
    OpenAndWait Opener;

    // Taking messages in.
    void MessageOpenExecute();
    void MessageSaveExecute();
    void DropEmptyTarget1Enter(QDragEnterEvent *e);
    void DropEmptyTarget1DragOver(QDragMoveEvent *e);
    void DropEmptyTarget1Leave();
    void DropEmptyTarget1Drop(VirtualFileSource &files);
    static QString RegistrationQuestion(int remaining, const QString &fileName);
    void ListView1SelectItem();
    void ListView2SelectItem();

    // The message view the display fills.
    void clearMessageView() override { ClearMessageView(); }
    void setFields(const HeaderFields &fields) override;
    void setMemos(const QString &path, int headerCount) override;
    void setEditorLines(const QStringList &lines) override;
    void clearEditor() override;
    void showHtml(const QString &html, double zoom, const MimeReader &reader) override;
    void setActivePage(Page page) override;
    void addAttachment(const QString &caption, const QString &iconExtension) override;
    void setActionEnabled(const char *name, bool enabled) override;
    void setStatusText(int panel, const QString &text) override;
    void runTnefUnpack() override;
    bool storedMessageMode() const override { return pmode & 0x01; }

    // State (names as the rest of the program knows them).
    QString ProgramDir;
    QString MyAppDataPath;
    QString IniFilePath;
    QString CompiledHelpFile;
    bool common_ConfigFlg = false;
    bool TerminateState = true;
    quint16 pmode = 0;
    int srtcnum = 0;
    int StartDocNum = 0;
    bool OlkFlg = false;
    bool EditorEnterOn = false;
    bool TnefFlg = false;
    int StyleNum = 0;
    int CDpi = 96;
    double CFunc = 1.0;
    bool emb_Flg = false;
    bool Semafore_Flg = false;
    QString old_MessageFile;
    QString MessageFile;       // the file last opened through the dialog
    QString awk_MessageFile;   // the working copy of the current message
    QString mwk_MessageFile;   // the Outlook copy
    int MDatType = 0;
    bool JISFlg = false;
    // The readers: the message shown, a decryption's output, an attachment checked before decryption.
    MimeReader MessageReader, DecryptReader, CheckReader;
    std::unique_ptr<TFileAssociationDetails> FFileDetails;
    GpgRunner *Gpg = nullptr;
    HtmlView *EdgeBrowser = nullptr;   // made with the first HTML body
    CommandLine commandLine;
    AppSettings cfg;
    TDBListFrm *DBListFrm = nullptr;   // the result list window, made once
    TDm_Ldb *Dm_Ldb = nullptr;         // the data module, made after the window
    std::unique_ptr<SemaforeLock> Semafore;
    QWidget *DBSetFrm = nullptr;    // the database settings dialog while it is open

    // Window elements.
    QWidget *ControlBar1 = nullptr;
    QToolBar *ButtonBar = nullptr;
    QToolBar *FontBar = nullptr;
    QFontComboBox *JvComboFnt = nullptr;
    QComboBox *JvComboFntSize = nullptr;
    QComboBox *ColorBox1 = nullptr;
    QWidget *Panel1 = nullptr;
    QLabel *Label9 = nullptr;
    QTextEdit *Editor = nullptr;
    QSplitter *Splitter1 = nullptr;
    QWidget *Panel2 = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet4 = nullptr, *TabSheet2 = nullptr, *TabSheet5 = nullptr, *TabSheet1 = nullptr,
            *TabSheet3 = nullptr, *TabSheet6 = nullptr, *TabSheet7 = nullptr, *TabSheet8 = nullptr;
    QWidget *EdgeBrowser1 = nullptr;   // the HTML page's holder
    QTreeWidget *ListView1 = nullptr;
    QTreeWidget *ListView2 = nullptr;
    QLineEdit *Edit[8] = {};
    QTableWidget *ValueListEditor1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QLabel *StatusPanel[3] = {};

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void FormCreate(const QStringList &arguments);
    void FormShow();
    void FormActivate();
    void FormDeactivate();
    // The floating result list's activation: whichever is active stays above the other.
    void ListFormActivate();
    void ListFormDeactivate();
    void FormCloseQuery();
    void FormClose();

    void setToolButton3Image(int index);
    void setListActionsEnabled(bool on);
    void wireResultList();
    void buildAttachmentMenus();
    void openAttachment(QTreeWidget *list, const QString &folder, const MimeReader &reader);
    QString askSaveTarget(const QString &caption);
    void closedListState();
    void AskRegistration(int remaining, const QString &fileName);
    void paintPanel1(QPalette::ColorRole role);
    std::optional<QPair<QString, QDateTime>> currentStoredRow(QString *subject = nullptr,
                                                              QString *sender = nullptr) const;
    void buildActions();
    void buildMenus();
    void buildLayout();
    void ScaleToScreen();
    void parametersFromTable();
    void parametersToTable();
    void settingsToWindow();
    void windowToSettings();
    int pageIndex(QWidget *page) const;
    void setPageVisible(QWidget *page, bool visible);

    void HcontentsExecute();
    void HkeywordExecute();
    void AboutExecute();
    void DispTAB1Execute();
    void DispTAB3Execute();

    QHash<QString, QAction *> m_actions;
    bool m_restart = false;
    bool m_closed = false;
    bool m_shownOnce = false;
};
