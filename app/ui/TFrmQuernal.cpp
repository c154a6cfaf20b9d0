#include "TFrmQuernal.h"

#include "Delay.h"
#include "EmlDisplay.h"
#include "GpgRunner.h"
#include "HeaderFields.h"
#include "HtmlView.h"
#include "TFileAssociationDetails.h"
#include "HelpLauncher.h"
#include "IniFile.h"
#include "MainActionTable.h"
#include "Prompt.h"
#include "RemoveFolder.h"
#include "SemaforeLock.h"
#include "TDBListFrm.h"
#include "TDBSelectFrm.h"
#include "WindowStacking.h"
#include "TDm_Ldb.h"
#include "SettingsLocation.h"
#include "TAboutBox.h"
#include "WindowPlacement.h"
#include "WorkFolders.h"

#include <QAction>
#include <QTableView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTextCursor>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kAppTitle = QStringLiteral("Quernal管理");

// Tool buttons show the caption without its menu accelerator.
QString toolText(const QString &caption)
{
    QString t = caption;
    t.remove(QRegularExpression(QStringLiteral("\\s*\\(&.\\)")));
    t.remove(u'&');
    return t;
}

// Colours are kept as the settings file has always stored them: 0x00BBGGRR.
QColor fromStoredColor(int c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

int toStoredColor(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

int roundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

TFrmQuernal::TFrmQuernal(const QStringList &arguments, const QString &programDir, QWidget *parent)
    : QMainWindow(parent), ProgramDir(programDir)
{
    setObjectName(QStringLiteral("FrmQuernal"));
    setWindowTitle(kAppTitle);
    runSearchDialog = [](TDBSelectFrm &d) { d.exec(); };
    buildActions();
    buildLayout();
    buildMenus();
    buildAttachmentMenus();
    FormCreate(arguments);
}

TFrmQuernal::~TFrmQuernal()
{
    // The list window shows the data module's model: it goes first.
    delete DBListFrm;
    DBListFrm = nullptr;
    delete Dm_Ldb;
    Dm_Ldb = nullptr;
}

void TFrmQuernal::Delay(int ms)
{
    ::Delay(ms);
}

QAction *TFrmQuernal::action(const QString &name) const
{
    return m_actions.value(name);
}

void TFrmQuernal::setStatusText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 3)
        StatusPanel[panel]->setText(text);
}

QString TFrmQuernal::statusText(int panel) const
{
    return (panel >= 0 && panel < 3) ? StatusPanel[panel]->text() : QString();
}

void TFrmQuernal::buildActions()
{
    for (std::size_t i = 0; i < kMainActionCount; ++i) {
        const MainActionDef &d = kMainActions[i];
        auto *a = new QAction(QString::fromUtf8(d.caption), this);
        a->setObjectName(QString::fromUtf8(d.name));
        a->setEnabled(d.enabledAtStart);
        a->setCheckable(d.checkable);
        a->setChecked(d.checkedAtStart);
        a->setIconText(*d.toolCaption ? QString::fromUtf8(d.toolCaption) : toolText(a->text()));
        if (*d.shortcut)
            a->setShortcut(QKeySequence(QString::fromUtf8(d.shortcut)));
        m_actions.insert(a->objectName(), a);
    }
    connect(action("Hcontents"), &QAction::triggered, this, &TFrmQuernal::HcontentsExecute);
    connect(action("Hkeyword"), &QAction::triggered, this, &TFrmQuernal::HkeywordExecute);
    connect(action("About"), &QAction::triggered, this, &TFrmQuernal::AboutExecute);
    connect(action("DispTAB1"), &QAction::triggered, this, &TFrmQuernal::DispTAB1Execute);
    connect(action("DispTAB3"), &QAction::triggered, this, &TFrmQuernal::DispTAB3Execute);
    connect(action("DBConnect"), &QAction::triggered, this, &TFrmQuernal::DBConnectExecute);
    connect(action("DBUpdate"), &QAction::triggered, this, &TFrmQuernal::DBUpdateExecute);
    connect(action("DispMsgDat"), &QAction::triggered, this, &TFrmQuernal::DispMsgDatExecute);
    connect(action("DelMsgDat"), &QAction::triggered, this, &TFrmQuernal::DelMsgDatExecute);
    connect(action("MessageOpen"), &QAction::triggered, this, &TFrmQuernal::MessageOpenExecute);
    connect(action("MessageSave"), &QAction::triggered, this, &TFrmQuernal::MessageSaveExecute);
    connect(action("DBSelect"), &QAction::triggered, this, &TFrmQuernal::DBSelectExecute);
}

void TFrmQuernal::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("ActionMainMenuBar1"));
    QHash<QString, QMenu *> menus;
    for (std::size_t i = 0; i < kMainMenuCount; ++i) {
        const QString path = QString::fromUtf8(kMainMenus[i].path);
        if (path.startsWith(QLatin1String("popup:"))) {
            auto *m = new QMenu(this);
            m->setObjectName(path.mid(6));
            menus.insert(path, m);
            continue;
        }
        const qsizetype slash = path.lastIndexOf(u'/');
        QMenu *m = slash < 0 ? bar->addMenu(path) : menus.value(path.left(slash))->addMenu(path.mid(slash + 1));
        menus.insert(path, m);
    }
    for (std::size_t i = 0; i < kMainActionCount; ++i) {
        const MainActionDef &d = kMainActions[i];
        if (QMenu *m = menus.value(QString::fromUtf8(d.menuPath)))
            m->addAction(action(QString::fromUtf8(d.name)));
    }
    // Every action answers its shortcut even when no menu shows it.
    addActions(m_actions.values());

    for (const char *name : {"MessageOpen", "MessageSave", "DBUpdate", "DBConnect", "DBSelect", "Zoom_IncMgn",
                             "Zoom_DecMgn"})
        ButtonBar->addAction(action(name));
    ButtonBar->widgetForAction(action("DBConnect"))->setObjectName(QStringLiteral("ToolButton3"));
    setToolButton3Image(6);
}

void TFrmQuernal::buildLayout()
{
    // The control bar: the menu bar on top, the button and font bars below it.
    ControlBar1 = new QWidget(this);
    ControlBar1->setObjectName(QStringLiteral("ControlBar1"));
    ButtonBar = new QToolBar(this);
    ButtonBar->setObjectName(QStringLiteral("ButtonBar"));
    ButtonBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::TopToolBarArea, ButtonBar);
    FontBar = new QToolBar(this);
    FontBar->setObjectName(QStringLiteral("FontBar"));
    addToolBar(Qt::TopToolBarArea, FontBar);
    JvComboFnt = new QFontComboBox(FontBar);
    JvComboFnt->setObjectName(QStringLiteral("JvComboFnt"));
    JvComboFntSize = new QComboBox(FontBar);
    JvComboFntSize->setObjectName(QStringLiteral("JvComboFntSize"));
    JvComboFntSize->setEditable(true);
    JvComboFntSize->addItems({"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36",
                              "48", "72"});
    ColorBox1 = new QComboBox(FontBar);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    for (const auto &[name, color] : std::initializer_list<std::pair<const char *, QColor>>{
             {"Black", Qt::black}, {"Maroon", QColor(128, 0, 0)}, {"Green", QColor(0, 128, 0)},
             {"Olive", QColor(128, 128, 0)}, {"Navy", QColor(0, 0, 128)}, {"Purple", QColor(128, 0, 128)},
             {"Teal", QColor(0, 128, 128)}, {"Gray", QColor(128, 128, 128)}, {"Silver", QColor(192, 192, 192)},
             {"Red", Qt::red}, {"Lime", Qt::green}, {"Yellow", Qt::yellow}, {"Blue", Qt::blue},
             {"Fuchsia", Qt::magenta}, {"Aqua", Qt::cyan}, {"White", Qt::white}}) {
        QPixmap swatch(12, 12);
        swatch.fill(color);
        ColorBox1->addItem(QIcon(swatch), QString::fromLatin1(name), color);
    }
    FontBar->addWidget(JvComboFnt);
    FontBar->addWidget(JvComboFntSize);
    FontBar->addWidget(ColorBox1);

    // Upper message panel.
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *p1 = new QVBoxLayout(Panel1);
    p1->setContentsMargins(0, 0, 0, 0);
    p1->setSpacing(0);
    Label9 = new QLabel(Panel1);
    Label9->setObjectName(QStringLiteral("Label9"));
    Editor = new QTextEdit(Panel1);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAcceptRichText(false);
    // Dropped messages land on the panel, not in the text.
    Editor->setAcceptDrops(false);
    Panel1->setAcceptDrops(true);
    Panel1->installEventFilter(this);
    p1->addWidget(Label9);
    p1->addWidget(Editor, 1);

    // Lower panel with the page control.
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *p2 = new QVBoxLayout(Panel2);
    p2->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(Panel2);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    p2->addWidget(PageControl1);

    QHash<QString, QWidget **> sheets{{"TabSheet4", &TabSheet4}, {"TabSheet2", &TabSheet2},
                                      {"TabSheet5", &TabSheet5}, {"TabSheet1", &TabSheet1},
                                      {"TabSheet3", &TabSheet3}, {"TabSheet6", &TabSheet6},
                                      {"TabSheet7", &TabSheet7}, {"TabSheet8", &TabSheet8}};
    for (std::size_t i = 0; i < kMainPageCount; ++i) {
        auto *page = new QWidget(PageControl1);
        page->setObjectName(QString::fromUtf8(kMainPages[i].objectName));
        PageControl1->addTab(page, QString::fromUtf8(kMainPages[i].caption));
        *sheets.value(page->objectName()) = page;
    }

    auto fill = [](QWidget *page, QWidget *content) {
        auto *l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(content);
    };
    EdgeBrowser1 = new QWidget(TabSheet4);
    EdgeBrowser1->setObjectName(QStringLiteral("EdgeBrowser1"));
    auto *eb = new QVBoxLayout(EdgeBrowser1);
    eb->setContentsMargins(0, 0, 0, 0);
    fill(TabSheet4, EdgeBrowser1);
    for (auto [list, page, name] : {std::tuple{&ListView1, TabSheet2, "ListView1"},
                                    std::tuple{&ListView2, TabSheet5, "ListView2"}}) {
        *list = new QTreeWidget(page);
        (*list)->setObjectName(QString::fromLatin1(name));
        (*list)->setRootIsDecorated(false);
        (*list)->setHeaderHidden(true);
        fill(page, *list);
    }
    ListView1->setIconSize(TFileAssociationDetails::iconSizeFor(96));
    ListView2->setIconSize(TFileAssociationDetails::iconSizeFor(96));
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, &TFrmQuernal::ListView1SelectItem);
    connect(ListView2, &QTreeWidget::itemSelectionChanged, this, &TFrmQuernal::ListView2SelectItem);

    auto *bib = new QWidget(TabSheet1);
    auto *form = new QFormLayout(bib);
    const char *labels[8] = {"Message ID:", "Message Date:", "Account Key:", "From Name:",
                             "From Address:", "Account Name:", "To Address:", "Message Subject :"};
    for (int i = 0; i < 8; ++i) {
        Edit[i] = new QLineEdit(bib);
        Edit[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        form->addRow(QString::fromLatin1(labels[i]), Edit[i]);
    }
    fill(TabSheet1, bib);

    ValueListEditor1 = new QTableWidget(0, 2, TabSheet3);
    ValueListEditor1->setObjectName(QStringLiteral("ValueListEditor1"));
    ValueListEditor1->setHorizontalHeaderLabels({QStringLiteral("キー"), QStringLiteral("値")});
    ValueListEditor1->horizontalHeader()->setStretchLastSection(true);
    ValueListEditor1->verticalHeader()->hide();
    fill(TabSheet3, ValueListEditor1);

    auto *data = new QWidget(TabSheet6);
    auto *dl = new QVBoxLayout(data);
    Memo1 = new QPlainTextEdit(data);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo2 = new QPlainTextEdit(data);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    dl->addWidget(Memo1);
    dl->addWidget(Memo2);
    fill(TabSheet6, data);

    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(Panel2);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStretchFactor(1, 1);
    setCentralWidget(Splitter1);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = new QLabel(this);
        StatusPanel[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        statusBar()->addWidget(StatusPanel[i], i == 2 ? 1 : 0);
    }
}

int TFrmQuernal::pageIndex(QWidget *page) const
{
    return PageControl1->indexOf(page);
}

void TFrmQuernal::setPageVisible(QWidget *page, bool visible)
{
    PageControl1->setTabVisible(pageIndex(page), visible);
}

void TFrmQuernal::FormCreate(const QStringList &arguments)
{
    // 1. Mode flags and counters.
    pmode = 0;
    srtcnum = 0;
    StartDocNum = 0;
    OlkFlg = false;
    EditorEnterOn = false;
    TnefFlg = false;
    DBListFrm = nullptr;
    // 2. No compatibility layers exist here: nothing to check.
    // 3. Command line: a theme given there replaces the remembered one for this run.
    commandLine = CommandLine::parse(arguments);
    if (commandLine.helpRequested)
        Prompt::current().message(CommandLine::helpText());
    // 4.
    setPageVisible(TabSheet6, false);
    Label9->setText(QStringLiteral("ここにメッセージ(ファイル)をドロップしてください"));
    // 5. The result list window is made by the database layer when it exists.
    // 6.
    ClearMessageView();
    setPageVisible(TabSheet7, false);
    setPageVisible(TabSheet8, false);
    // 7.
    common_ConfigFlg = true;
    // 8.
    CompiledHelpFile = ProgramDir + QStringLiteral("Quernalhlp.chm");
    // 9. Settings folder and keys.
    const SettingsLocation loc = SettingsLocation::choose(ProgramDir);
    MyAppDataPath = loc.folder;
    IniFilePath = loc.iniFile;
    {
        IniFile ini;
        ini.load(IniFilePath);
        SettingsStore::readKeys(ini, MyAppDataPath, commandLine.theme.has_value(), cfg);
    }
    StyleNum = cfg.styleNum;
    settingsToWindow();
    // 10.
    ScaleToScreen();
    // 11. An embedded store (no host) is guarded by the lock file in its folder.
    Semafore = std::make_unique<SemaforeLock>();
    emb_Flg = cfg.ldbHost.isEmpty();
    Semafore_Flg = false;
    if (emb_Flg && QFileInfo(cfg.ldbPath).isFile())
        Semafore_Flg = Semafore->acquire(cfg.ldbPath);
    // 12.
    WorkFolders::ensureMailDat(MyAppDataPath);
    // 13.
    SettingsStore::readSideFiles(MyAppDataPath, cfg);
    // 14. The folder browser of the backup tool comes with that tool.
}

void TFrmQuernal::settingsToWindow()
{
    const QRect desk = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->virtualGeometry()
                                                        : QRect(0, 0, 1024, 768);
    move(WindowPlacement::clampLeft(cfg.left, cfg.width, desk.left(), desk.width()), cfg.top);
    resize(cfg.width, cfg.height);

    action("DispTAB1")->setChecked(cfg.tab1Visible);
    action("DispTAB3")->setChecked(cfg.tab3Visible);
    setPageVisible(TabSheet1, cfg.tab1Visible);
    setPageVisible(TabSheet3, cfg.tab3Visible);

    const auto &rows = cfg.parameters.rows();
    ValueListEditor1->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        auto *key = new QTableWidgetItem(rows[r].first);
        key->setFlags(key->flags() & ~Qt::ItemIsEditable);
        ValueListEditor1->setItem(r, 0, key);
        ValueListEditor1->setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }

    QFont f(cfg.fontName);
    if (cfg.fontSize > 0)
        f.setPointSize(cfg.fontSize);
    Editor->document()->setDefaultFont(f);
    QTextCharFormat fmt;
    fmt.setFont(f);
    fmt.setForeground(fromStoredColor(cfg.fontColor));
    Editor->setCurrentCharFormat(fmt);
    JvComboFnt->setCurrentFont(f);
    const int sizeIdx = JvComboFntSize->findText(QString::number(cfg.fontSize));
    JvComboFntSize->setCurrentIndex(sizeIdx < 0 ? 0 : sizeIdx);
    const QColor c = fromStoredColor(cfg.fontColor);
    int colorIdx = 0;
    for (int i = 0; i < ColorBox1->count(); ++i)
        if (ColorBox1->itemData(i).value<QColor>() == c)
            colorIdx = i;
    ColorBox1->setCurrentIndex(colorIdx);
}

void TFrmQuernal::windowToSettings()
{
    const QRect g = (isMaximized() || isMinimized()) ? normalGeometry() : QRect(pos(), size());
    cfg.left = g.x();
    cfg.top = g.y();
    cfg.width = g.width();
    cfg.height = g.height();
    if (m_shownOnce)
        cfg.panel1Height = qMax(10, Splitter1->sizes().value(0, cfg.panel1Height));
    if (DBListFrm && DBListFrm->DBGrid1->model())
        DBListFrm->readLayout(cfg.grid);
    cfg.tab1Visible = action("DispTAB1")->isChecked();
    cfg.tab3Visible = action("DispTAB3")->isChecked();
    for (int r = 0; r < ValueListEditor1->rowCount(); ++r) {
        const QTableWidgetItem *k = ValueListEditor1->item(r, 0);
        const QTableWidgetItem *v = ValueListEditor1->item(r, 1);
        if (k)
            cfg.parameters.setValue(k->text(), v ? v->text() : QString());
    }
    cfg.styleNum = StyleNum;
    const QTextCharFormat fmt = Editor->currentCharFormat();
    const QFont f = fmt.font();
    if (!f.family().isEmpty())
        cfg.fontName = f.family();
    if (f.pointSize() > 0)
        cfg.fontSize = f.pointSize();
    // The colour box's first entry (black) is stored as 0 whatever the editor holds.
    cfg.fontColor = ColorBox1->currentIndex() == 0 ? 0 : toStoredColor(fmt.foreground().color());
}

void TFrmQuernal::ScaleToScreen()
{
    QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    CDpi = s ? int(s->logicalDotsPerInchX()) : 96;
    CFunc = CDpi / 96.0;
    StatusPanel[0]->setFixedWidth(roundEven(CDpi * 140 / 96.0));
    StatusPanel[1]->setFixedWidth(roundEven(CDpi * 50 / 96.0));
    Splitter1->setHandleWidth(roundEven(CDpi * 5 / 96.0));
}

void TFrmQuernal::ClearMessageView()
{
    for (QLineEdit *e : Edit)
        e->clear();
    Memo1->clear();
    Memo2->clear();
    Editor->clear();
    action("Zoom_IncMgn")->setEnabled(false);
    action("Zoom_DecMgn")->setEnabled(false);
    if (EdgeBrowser)
        EdgeBrowser->closeView();
    ListView1->clear();
    ListView2->clear();
    setPageVisible(TabSheet2, false);
    setPageVisible(TabSheet5, false);
    setPageVisible(TabSheet4, false);
    old_MessageFile.clear();
    action("MessageSave")->setEnabled(false);
    TnefFlg = false;
}

void TFrmQuernal::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TFrmQuernal::FormShow()
{
    // The splitter shares out its height only once it is laid out.
    Splitter1->setSizes({cfg.panel1Height, qMax(10, height() - cfg.panel1Height)});
    // Passing the focus through the font bar makes it show its current values.
    JvComboFnt->setFocus();
    JvComboFntSize->setFocus();
    if (ColorBox1->isVisible())
        ColorBox1->setFocus();
    Editor->setFocus();
}

void TFrmQuernal::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            FormActivate();
        else
            FormDeactivate();
    }
}

void TFrmQuernal::FormActivate()
{
    // Whichever of the main window and the floating result list is active stays above the other.
    if (DBSetFrm) {
        SetStaysOnTop(this, false);
    } else if (DBListFrm && DBListFrm->isVisible() && DBListFrm->isWindow()) {
        SetStaysOnTop(this, true);
        SetStaysOnTop(DBListFrm, false);
    } else {
        SetStaysOnTop(this, false);
    }
}

void TFrmQuernal::FormDeactivate()
{
    SetStaysOnTop(this, false);
}

void TFrmQuernal::comeForward()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TFrmQuernal::closeEvent(QCloseEvent *e)
{
    // Closing is never refused.
    if (!m_closed) {
        m_closed = true;
        FormCloseQuery();
        FormClose();
    }
    e->accept();
}

void TFrmQuernal::FormCloseQuery()
{
    // 1. No Outlook objects are held on this system.
    // 2. The HTML view's data folder.
    const QString web = WorkFolders::webViewData(MyAppDataPath);
    if (QFileInfo(web).isDir()) {
        action("Zoom_IncMgn")->setEnabled(false);
        action("Zoom_DecMgn")->setEnabled(false);
        // The view lets go of its data folder only when it is gone.
        delete EdgeBrowser;
        EdgeBrowser = nullptr;
        Delay(100);
        RemoveFolder(web);
    }
    // 3. The working folder.
    const QString mail = WorkFolders::mailDat(MyAppDataPath);
    if (QFileInfo(mail).isDir())
        RemoveFolder(mail);
}

void TFrmQuernal::FormClose()
{
    if (!common_ConfigFlg)
        return;
    // 1. The database folder's lock file.
    if (emb_Flg && Semafore)
        Semafore->release();
    // 2. Settings file: each step on its own, a failure never stops the next.
    windowToSettings();
    {
        IniFile ini;
        ini.load(IniFilePath);
        SettingsStore::writeKeys(ini, cfg);
        ini.save(IniFilePath);
    }
    // 3. Side files.
    SettingsStore::writeSideFiles(MyAppDataPath, cfg);
}

void TFrmQuernal::requestRestart()
{
    m_restart = true;
    close();
}

void TFrmQuernal::HcontentsExecute()
{
    HelpLauncher().open(CompiledHelpFile, HelpLauncher::Topic::Contents);
}

void TFrmQuernal::HkeywordExecute()
{
    HelpLauncher().open(CompiledHelpFile, HelpLauncher::Topic::Index);
}

void TFrmQuernal::AboutExecute()
{
    TAboutBox box(this);
    box.exec();
}

void TFrmQuernal::DispTAB1Execute()
{
    setPageVisible(TabSheet1, action("DispTAB1")->isChecked());
}

void TFrmQuernal::DispTAB3Execute()
{
    setPageVisible(TabSheet3, action("DispTAB3")->isChecked());
}

void TFrmQuernal::setToolButton3Image(int index)
{
    // Image 1: the list is open; image 6: it is closed.
    QWidget *b = ButtonBar->widgetForAction(action("DBConnect"));
    b->setProperty("imageIndex", index);
}

void TFrmQuernal::createDataModule(const std::function<void(TDm_Ldb &)> &configure)
{
    if (!Dm_Ldb)
        Dm_Ldb = new TDm_Ldb(this);
    if (configure)
        configure(*Dm_Ldb);
    action("DBConnect")->setEnabled(false);
    Dm_Ldb->DataModuleCreate(cfg.ldbHost, cfg.ldbPath, TerminateState, MyAppDataPath);
    setWindowTitle(Dm_Ldb->title());
    action("DBConnect")->setEnabled(Dm_Ldb->isConnected());
}

void TFrmQuernal::DBConnectExecute()
{
    if (!Dm_Ldb)
        return;
    MessageList &list = Dm_Ldb->FDTbl1();
    // 1-2. The backup and bulk-mail views give way to the list.
    if (action("DBBackup")->isChecked()) {
        action("DBBackup")->setChecked(false);
        setPageVisible(TabSheet7, false);
    }
    if (action("MLSender")->isChecked()) {
        action("MLSender")->setChecked(false);
        setPageVisible(TabSheet8, false);
        Editor->show();
    }
    // 3.
    setStatusText(0, QString());
    setStatusText(2, QString());
    // 4-6.
    if (list.isOpen())
        ClearMessageView();
    if (list.filtered())
        list.setFiltered(false);
    if (list.isOpen())
        list.close();
    else
        list.open();
    if (list.isOpen()) {
        // 7.
        pmode |= 0x10;
        action("DBConnect")->setChecked(true);
        setToolButton3Image(1);
        setListActionsEnabled(!list.isEmpty());
        ShowResultListDocked();
        PageControl1->setCurrentIndex(PageControl1->count() - 1);
        setStatusText(2, QStringLiteral("DBと接続しました"));
    } else {
        // 8.
        closedListState();
    }
}

void TFrmQuernal::ShowResultListDocked()
{
    if (!DBListFrm) {
        DBListFrm = new TDBListFrm(PageControl1);
        PageControl1->addTab(DBListFrm, QStringLiteral("DB List View"));
        connect(DBListFrm->DBGrid1, &QAbstractItemView::doubleClicked, this, &TFrmQuernal::DBGrid1DblClick);
        wireResultList();
    }
    DBListFrm->bind(Dm_Ldb->FDTbl1(), cfg.grid);
    setPageVisible(DBListFrm, true);
    DBListFrm->show();
}

