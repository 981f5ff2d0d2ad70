// The main window and its page host.
#include "MainWindow.h"
#include "Artwork.h"
#include "Banner.h"
#include "MarqueeLabel.h"
#include "MenuStyle.h"
#include "data/Clock.h"
#include "shell/AppConfig.h"
#include "shell/Dialogs.h"
#include "shell/ImeName.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kHomePage = QStringLiteral("TFrame9");
// The launcher fills the host instead of being centred.
const QString kLauncherPage = QStringLiteral("TFrame3");

// Delphi-style BGR colour numbers, as the page host's colours are given.
QColor fromBgr(int bgr)
{
    return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

} // namespace

Tmainf::Tmainf(const QString& programDir, PageCatalog catalog, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_config(std::make_unique<AppConfig>(AppConfig::load(programDir))),
      m_connections(std::make_unique<Connections>(*m_config)), m_catalog(std::move(catalog))
{
    setObjectName(QStringLiteral("Tmainf"));
    setWindowTitle(AppConfig::productTitle());
    setWindowIcon(Artwork::windowIcon());

    m_context.info = &m_connections->info();
    m_context.bank = &m_connections->bank();
    m_context.config = m_config.get();
    m_context.connections = m_connections.get();
    m_context.applyImeName = [this](QObject* container) {
        ApplyImeName(container, m_config->value(QStringLiteral("imemode")));
    };

    buildInterface();
    showConfiguredTexts();

    // First the whole screen, centred; the splash later shows the window maximised.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.size());
        move(area.center() - rect().center());
    }

    m_startup = m_connections->start();
    for (const QString& warning : std::as_const(m_startup.warnings))
        Dialogs::instance().warning(warning);
    m_actConnectionSettings->setVisible(m_startup.connectionSettingsVisible);
    m_actDatabaseInit->setVisible(m_startup.databaseInitVisible);
    if (m_startup.openHomePage)
        openPage(kHomePage);
}

Tmainf::~Tmainf()
{
    // Pages hold queries on the connections: free them first, at once.
    for (const QPointer<QWidget>& page : std::as_const(m_slots))
        delete page.data();
    m_slots.clear();
    m_connections->closeAll();
}

void Tmainf::buildInterface()
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    m_menuStyle = MenuStyle::instance();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("clientArea"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_banner = new Banner(central);
    m_banner->setObjectName(QStringLiteral("banner"));
    layout->addWidget(m_banner);

    m_toolBar = new QToolBar(central);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->setStyleSheet(QStringLiteral(
        "QToolBar#toolBar { border: none; border-bottom: 1px solid #8eaed6; spacing: 2px; padding: 1px 4px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfeff, stop:0.5 #e3eefb,"
        "  stop:0.51 #d3e3f7, stop:1 #c4d8f2); }"
        "QToolBar#toolBar QToolButton { border: 1px solid transparent; border-radius: 3px; padding: 1px 6px;"
        "  color: #12307a; }"
        "QToolBar#toolBar QToolButton:hover { border-color: #d8a23c; background: qlineargradient(x1:0, y1:0,"
        "  x2:0, y2:1, stop:0 #fff6d8, stop:1 #ffd77a); }"
        "QToolBar#toolBar QToolButton:pressed, QToolBar#toolBar QToolButton:open { border-color: #c08a2a;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbd88e, stop:1 #f6b645); }"
        "QToolBar#toolBar QToolButton:disabled { color: #8a97a8; }"
        "QToolBar#toolBar QToolButton[popupMode=\"1\"] { padding-right: 16px; }"
        "QToolBar#toolBar QToolButton::menu-button { border: none; width: 14px; }"
        "QToolBar#toolBar QToolButton::menu-indicator { subcontrol-position: bottom right; }"));
    layout->addWidget(m_toolBar);

    m_pageControl = new QTabWidget(central);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->tabBar()->hide();
    m_pageControl->setDocumentMode(true);
    QPalette hostPalette = m_pageControl->palette();
    hostPalette.setColor(QPalette::Window, fromBgr(16231596));
    m_pageControl->setPalette(hostPalette);
    m_pageControl->setAutoFillBackground(true);
    m_tabSheet = new QWidget;
    m_tabSheet->setObjectName(QStringLiteral("TabSheet1"));
    QPalette sheetPalette = m_tabSheet->palette();
    sheetPalette.setColor(QPalette::Window, fromBgr(14614270));
    m_tabSheet->setPalette(sheetPalette);
    m_tabSheet->setAutoFillBackground(true);
    m_tabSheet->installEventFilter(this);
    m_pageControl->addTab(m_tabSheet, QString());
    layout->addWidget(m_pageControl, 1);
    setCentralWidget(central);

    // The toolbar, left to right.
    const QFont captionFont = Artwork::titleFont(16);
    QToolButton* home = addToolButton(QStringLiteral("btnHome"), QStringLiteral("首页"),
                                      Artwork::toolbarGlyph(Artwork::Glyph::Home));
    home->setEnabled(m_catalog.has(kHomePage));
    connect(home, &QToolButton::clicked, this, [this] { openPage(kHomePage); });

    QToolButton* subjects = addToolButton(QStringLiteral("btnSubjects"), QStringLiteral("用户管理"),
                                          Artwork::toolbarGlyph(Artwork::Glyph::Subjects));
    QMenu* subjectMenu = addMenu(subjects, QStringLiteral("menuSubjects"));
    addPageAction(subjectMenu, QStringLiteral("首访信息登记"), QStringLiteral("TFrame11"));
    addPageAction(subjectMenu, QStringLiteral("随访信息登记"), QStringLiteral("TFrame12"));
    addPageAction(subjectMenu, QStringLiteral("修改用户信息"), QStringLiteral("TFrame13"));
    enableByMenu(subjects, subjectMenu);
    // The button itself opens the subject list; while that page does not exist the button
    // only shows its menu.
    if (m_catalog.has(QStringLiteral("TFrame1"))) {
        subjects->setPopupMode(QToolButton::MenuButtonPopup);
        subjects->setEnabled(true);
        connect(subjects, &QToolButton::clicked, this, [this] { openPage(QStringLiteral("TFrame1")); });
    }

    QToolButton* testing = addToolButton(QStringLiteral("btnTesting"), QStringLiteral("项目测试"),
                                         Artwork::toolbarGlyph(Artwork::Glyph::Testing));
    testing->setEnabled(m_catalog.has(kLauncherPage));
    connect(testing, &QToolButton::clicked, this, [this] { openPage(kLauncherPage); });

    QToolButton* results = addToolButton(QStringLiteral("btnResults"), QStringLiteral("结果测评"),
                                         Artwork::toolbarGlyph(Artwork::Glyph::Results));
    results->setEnabled(m_catalog.has(QStringLiteral("TFrame2")));
    connect(results, &QToolButton::clicked, this, [this] { openPage(QStringLiteral("TFrame2")); });

    QToolButton* analysis = addToolButton(QStringLiteral("btnAnalysis"), QStringLiteral("数据分析"),
                                          Artwork::toolbarGlyph(Artwork::Glyph::Analysis));
    QMenu* analysisMenu = addMenu(analysis, QStringLiteral("menuAnalysis"));
    addPageAction(analysisMenu, QStringLiteral("单项数据分析"), QStringLiteral("TFrame10"));
    addPageAction(analysisMenu, QStringLiteral("多项数据分析"), QStringLiteral("TFrame18"));
    enableByMenu(analysis, analysisMenu);

    QToolButton* reports = addToolButton(QStringLiteral("btnReports"), QStringLiteral("报表打印"),
                                         Artwork::toolbarGlyph(Artwork::Glyph::Reports));
    QMenu* reportMenu = addMenu(reports, QStringLiteral("menuReports"));
    addPageAction(reportMenu, QStringLiteral("试题集打印"), QStringLiteral("TFrame4"));
    addPageAction(reportMenu, QStringLiteral("测试单打印"), QStringLiteral("TFrame5"));
    reportMenu->addSeparator();
    addPageAction(reportMenu, QStringLiteral("个人单项式报表"), QStringLiteral("TFrame14"));
    addPageAction(reportMenu, QStringLiteral("个人总项式报表"), QStringLiteral("TFrame6"));
    enableByMenu(reports, reportMenu);

    QToolButton* maintenance = addToolButton(QStringLiteral("btnMaintenance"), QStringLiteral("数据维护"),
                                             Artwork::toolbarGlyph(Artwork::Glyph::Maintenance));
    QMenu* maintenanceMenu = addMenu(maintenance, QStringLiteral("menuMaintenance"));
    addCommandAction(maintenanceMenu, QStringLiteral("数据库备份"), QStringLiteral("backup"),
                     QStringLiteral("actBackup"));
    addCommandAction(maintenanceMenu, QStringLiteral("数据库还原"), QStringLiteral("restore"),
                     QStringLiteral("actRestore"));
    enableByMenu(maintenance, maintenanceMenu);

    QToolButton* settings = addToolButton(QStringLiteral("btnSettings"), QStringLiteral("系统设置"),
                                          Artwork::toolbarGlyph(Artwork::Glyph::Settings));
    QMenu* settingsMenu = addMenu(settings, QStringLiteral("menuSettings"));
    m_actDatabaseInit =
        addPageAction(settingsMenu, QStringLiteral("网络数据库初始化"), QStringLiteral("TFrame16"));
    m_actConnectionSettings =
        addPageAction(settingsMenu, QStringLiteral("网络数据连接设置"), QStringLiteral("TFrame8"));
    addPageAction(settingsMenu, QStringLiteral("使用单位信息设置"), QStringLiteral("TFrame7"));
    addPageAction(settingsMenu, QStringLiteral("中文输入法设置"), QStringLiteral("TFrame17"));
    enableByMenu(settings, settingsMenu);
    // As designed until the start-up steps decide.
    m_actDatabaseInit->setVisible(false);

    QToolButton* exitButton = addToolButton(QStringLiteral("btnExit"), QStringLiteral("退出"),
                                            Artwork::toolbarGlyph(Artwork::Glyph::Exit));
    connect(exitButton, &QToolButton::clicked, this, &QWidget::close);

    for (QToolButton* button : m_toolBar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
        button->setFont(captionFont);

    // Status bar: the marquee and the clock.
    m_marquee = new MarqueeLabel(this);
    m_marquee->setObjectName(QStringLiteral("marquee"));
    m_marquee->setScroll(5, 200);
    statusBar()->addWidget(m_marquee, 1);
    m_clock = new QLabel(this);
    m_clock->setObjectName(QStringLiteral("clockLabel"));
    m_clock->setMinimumWidth(m_clock->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) +
                             16);
    m_clock->setAlignment(Qt::AlignCenter);
    statusBar()->addPermanentWidget(m_clock);
    statusBar()->setSizeGripEnabled(false);
    auto updateClock = [this] {
        m_clock->setText(Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    };
    updateClock();
    connect(&m_clockTimer, &QTimer::timeout, this, updateClock);
    m_clockTimer.start(1000);

    // The tray icon and its animation.
    m_tray = new QSystemTrayIcon(this);
    m_tray->setObjectName(QStringLiteral("trayIcon"));
    m_trayFrames = Artwork::trayFrames();
    m_tray->setIcon(m_trayFrames.value(0));
    auto* trayMenu = new QMenu(this);
    trayMenu->setObjectName(QStringLiteral("trayMenu"));
    trayMenu->setStyle(m_menuStyle);
    QAction* run = trayMenu->addAction(QStringLiteral("运行程序"));
    run->setObjectName(QStringLiteral("actTrayRun"));
    connect(run, &QAction::triggered, this, &Tmainf::restoreFromTray);
    QAction* quit = trayMenu->addAction(QStringLiteral("退出程序"));
    quit->setObjectName(QStringLiteral("actTrayExit"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    m_tray->setContextMenu(trayMenu);
    connect(&m_trayTimer, &QTimer::timeout, this, [this] {
        m_trayFrame = (m_trayFrame + 1) % m_trayFrames.size();
        m_tray->setIcon(m_trayFrames.at(m_trayFrame));
    });
    m_trayTimer.start(500);
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
}

QToolButton* Tmainf::addToolButton(const QString& objectName, const QString& caption, const QIcon& icon)
{
    auto* button = new QToolButton(m_toolBar);
    button->setObjectName(objectName);
    button->setText(caption);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    m_toolBar->addWidget(button);
    return button;
}

QMenu* Tmainf::addMenu(QToolButton* button, const QString& objectName)
{
    auto* menu = new QMenu(button);
    menu->setObjectName(objectName);
    menu->setStyle(m_menuStyle);
    menu->setFont(Artwork::uiFont(14));
    button->setMenu(menu);
    // A drop-down button has no action of its own: a click shows its menu.
    button->setPopupMode(QToolButton::InstantPopup);
    return menu;
}

QAction* Tmainf::addPageAction(QMenu* menu, const QString& caption, const QString& pageClass)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QStringLiteral("act") + pageClass);
    action->setEnabled(m_catalog.has(pageClass));
    connect(action, &QAction::triggered, this, [this, pageClass] { openPage(pageClass); });
    return action;
}

QAction* Tmainf::addCommandAction(QMenu* menu, const QString& caption, const QString& command,
                                  const QString& objectName)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    action->setEnabled(m_catalog.hasCommand(command));
    connect(action, &QAction::triggered, this, [this, command] {
        if (const PageCommand run = m_catalog.command(command))
            run(m_context);
    });
    return action;
}

void Tmainf::enableByMenu(QToolButton* button, QMenu* menu)
{
    bool any = false;
    for (QAction* action : menu->actions())
        any = any || (!action->isSeparator() && action->isEnabled());
    button->setEnabled(any);
}

void Tmainf::showConfiguredTexts()
{
    const QString title = m_config->value(QStringLiteral("grona"));
    QGuiApplication::setApplicationDisplayName(title);
    m_banner->setCaption(title);
    m_tray->setToolTip(title + QStringLiteral("\n     ---------关爱"));
    m_marquee->setText(m_config->marqueeText());
}

QWidget* Tmainf::currentPage() const
{
    return m_slots.value(m_currentClass).data();
}

void Tmainf::colseframe()
{
    for (const QString& pageClass : PageCatalog::pageClasses()) {
        const QPointer<QWidget> page = m_slots.take(pageClass);
        if (!page)
            continue;
        page->hide();
        // Later, not now: the request to switch may come from the page's own handler.
        page->deleteLater();
    }
    m_currentClass.clear();
}

bool Tmainf::openPage(const QString& pageClass)
{
    const PageFactory factory = m_catalog.factory(pageClass);
    if (!factory)
        return false;
    colseframe();

    const QList<QWidget*> before = m_tabSheet->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QWidget* page = nullptr;
    try {
        page = factory(m_context, m_tabSheet);
    } catch (const std::exception& e) {
        // A page that cannot fill itself (say, the database is not open) is discarded whole
        // and the reason shown, instead of ending the program.
        for (QWidget* child : m_tabSheet->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!before.contains(child))
                delete child;
        const auto* dbError = dynamic_cast<const DbError*>(&e);
        Dialogs::instance().warning(QStringLiteral("无法打开页面：\n") +
                                    (dbError ? dbError->message() : QString::fromLocal8Bit(e.what())));
        return false;
    }
    if (!page)
        return false;
    if (page->parentWidget() != m_tabSheet)
        page->setParent(m_tabSheet);
    m_slots.insert(pageClass, page);
    m_currentClass = pageClass;
    if (!page->testAttribute(Qt::WA_Resized))
        page->adjustSize();
    placePage(page);
    page->show();
    m_context.applyImeName(page);
    m_pageControl->setCurrentWidget(m_tabSheet);
    return true;
}

void Tmainf::placePage(QWidget* page)
{
    if (m_currentClass == kLauncherPage) {
        page->setGeometry(m_tabSheet->rect());
        return;
    }
    // Integer halves, truncated towards zero: a page larger than the host starts left of and
    // above it.
    const int left = (m_tabSheet->width() - page->width()) / 2;
    const int top = (m_tabSheet->height() - page->height()) / 2;
    page->move(left, top);
}

bool Tmainf::eventFilter(QObject* watched, QEvent* event)
{
    // The host's size is only final once the window is laid out and shown.
    if (watched == m_tabSheet && event->type() == QEvent::Resize) {
        if (QWidget* page = currentPage())
            placePage(page);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tmainf::restoreFromTray()
{
    showMaximized();
    raise();
    activateWindow();
}

void Tmainf::releaseConnections()
{
    colseframe();
    // The freed pages' queries go before their connections close.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_connections->closeAll();
}

void Tmainf::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (Dialogs::instance().message(Dialogs::Icon::Information, Dialogs::Buttons::YesNo,
                                    QStringLiteral("确认要退出程序吗？")) != Dialogs::Answer::Yes) {
        event->ignore();
        return;
    }
    releaseConnections();
    m_closed = true;
    m_tray->hide();
    m_trayTimer.stop();
    event->accept();
    emit closed();
}
