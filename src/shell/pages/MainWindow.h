// The main window: banner, toolbar with its menus, page host, status bar and tray icon. It owns
// the configuration and the two connections for its whole life.
#pragma once

#include "PageCatalog.h"
#include "shell/Connections.h"
#include "shell/PageContext.h"

#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <memory>

class AppConfig;
class Banner;
class MarqueeLabel;
class MenuStyle;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTabWidget;
class QToolBar;
class QToolButton;

class Tmainf : public QMainWindow {
    Q_OBJECT
public:
    // Reads the configuration of the program directory, opens the connections (showing their
    // warnings) and, when the test bank is open, the home page. Nothing is shown yet.
    explicit Tmainf(const QString& programDir, PageCatalog catalog = PageCatalog::standard(),
                    QWidget* parent = nullptr);
    ~Tmainf() override;

    AppConfig& config() { return *m_config; }
    Connections& connections() { return *m_connections; }
    const PageContext& pageContext() const { return m_context; }
    const StartupOutcome& startup() const { return m_startup; }

    // The hosted page and its class, or null and empty.
    QWidget* currentPage() const;
    QString currentPageClass() const { return m_currentClass; }
    // The tab page that pages are parented to.
    QWidget* pageHost() const { return m_tabSheet; }

    // The handler of every entry that names a page: frees the page on screen, creates, places
    // and fills the new one. False when the class has no page yet or the page failed to open.
    bool openPage(const QString& pageClass);
    // Frees every hosted page.
    void colseframe();

signals:
    // The close was confirmed and both connections are closed.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInterface();
    QToolButton* addToolButton(const QString& objectName, const QString& caption, const QIcon& icon);
    QMenu* addMenu(QToolButton* button, const QString& objectName);
    QAction* addPageAction(QMenu* menu, const QString& caption, const QString& pageClass);
    QAction* addCommandAction(QMenu* menu, const QString& caption, const QString& command,
                              const QString& objectName);
    void enableByMenu(QToolButton* button, QMenu* menu);
    void placePage(QWidget* page);
    void showConfiguredTexts();
    void restoreFromTray();
    void releaseConnections();

    std::unique_ptr<AppConfig> m_config;
    std::unique_ptr<Connections> m_connections;
    PageCatalog m_catalog;
    PageContext m_context;
    StartupOutcome m_startup;

    MenuStyle* m_menuStyle = nullptr;
    Banner* m_banner = nullptr;
    QToolBar* m_toolBar = nullptr;
    QTabWidget* m_pageControl = nullptr;
    QWidget* m_tabSheet = nullptr;
    MarqueeLabel* m_marquee = nullptr;
    QLabel* m_clock = nullptr;
    QTimer m_clockTimer;
    QSystemTrayIcon* m_tray = nullptr;
    QList<QIcon> m_trayFrames;
    int m_trayFrame = 0;
    QTimer m_trayTimer;
    QAction* m_actDatabaseInit = nullptr;
    QAction* m_actConnectionSettings = nullptr;

    QHash<QString, QPointer<QWidget>> m_slots;
    QString m_currentClass;
    bool m_closed = false;
};
