// The main window: start-up messages, menus by mode, the page host and the close question.
#include "TestHome.h"
#include "data/DbError.h"
#include "shell/AppConfig.h"
#include "shell/ImeName.h"
#include "shell/pages/Banner.h"
#include "shell/pages/HomePage.h"
#include "shell/pages/MainWindow.h"
#include "shell/pages/MarqueeLabel.h"
#include "shell/pages/SplashWindow.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int unusedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

// A page of a fixed size with a few text-entry controls, counting its fills.
class FakePage : public QWidget {
public:
    FakePage(const QSize& size, QWidget* parent) : QWidget(parent)
    {
        resize(size);
        auto* edit = new QLineEdit(this);
        edit->setObjectName("edit");
        auto* box = new QWidget(this);
        auto* memo = new QPlainTextEdit(box);
        memo->setObjectName("memo");
        auto* grid = new QTableView(box);
        grid->setObjectName("grid");
        auto* label = new QLabel(box);
        label->setObjectName("label");
    }
    void fill() { ++fills; }
    int fills = 0;
};

PageCatalog fakeCatalog(const QSize& size)
{
    PageCatalog catalog = PageCatalog::standard();
    for (const QString& pageClass : {QString("TFrame2"), QString("TFrame3"), QString("TFrame10")}) {
        catalog.add(pageClass, [size, pageClass](const PageContext&, QWidget* parent) {
            auto* page = new FakePage(size, parent);
            page->setObjectName(pageClass);
            page->fill();
            return page;
        });
    }
    return catalog;
}

void writeBank(TestHome& home)
{
    writeSmallChoiceTest(home.bank());
    home.finishBank();
}

QAction* action(QWidget& window, const char* name)
{
    return window.findChild<QAction*>(name);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void localModeShowsHomePage();
    void missingBankWarnsOnceAndHostsNothing();
    void wrongServerShowsNetworkEntries();
    void entriesWithoutPageAreDisabled();
    void pickingAnEntryFreesThePreviousPage();
    void pagesAreCentredByIntegerHalves_data();
    void pagesAreCentredByIntegerHalves();
    void textEntriesGetTheInputMethodName();
    void pageThatFailsToFillIsDiscarded();
    void noAtTheCloseQuestionKeepsEverythingOpen();
    void yesClosesInformationThenBank();
    void homePagePicture();
    void splashShowsMainWindowOnThirdTick();
};

void TestMainWindow::localModeShowsHomePage()
{
    TestHome home;
    writeBank(home);
    home.writeSetSys({"sydw=阳光学校", "sydwxx=第一行\\n第二行", "grona=学校测评"});
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path());
    QVERIFY(dialogs.texts().isEmpty());
    QCOMPARE(window.windowTitle(), QString("心理测评工作站"));
    QCOMPARE(window.findChild<Banner*>("banner")->caption(), QString("学校测评"));
    QCOMPARE(window.findChild<MarqueeLabel*>("marquee")->text(), QString("阳光学校:第一行\n第二行"));
    QCOMPARE(window.currentPageClass(), QString("TFrame9"));
    auto* page = qobject_cast<TFrame9*>(window.currentPage());
    QVERIFY(page);
    QCOMPARE(page->parentWidget(), window.pageHost());
    QCOMPARE(page->findChild<QLabel*>("unitNameLabel")->text(), QString("阳光学校"));
    QCOMPARE(page->findChild<QLabel*>("unitDescriptionLabel")->text(), QString("第一行\n第二行"));
    QVERIFY(!action(window, "actTFrame8")->isVisible());
    QVERIFY(!action(window, "actTFrame16")->isVisible());
    QVERIFY(action(window, "actTFrame7")->isVisible());
    QVERIFY(action(window, "actTFrame17")->isVisible());
    QVERIFY(window.connections().info().isOpen());
    QVERIFY(window.connections().bank().isOpen());
}

void TestMainWindow::missingBankWarnsOnceAndHostsNothing()
{
    TestHome home;
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path());
    QCOMPARE(dialogs.texts(), QStringList({"无法连续到试题数据库，程序无法正常运行！\n请与开发商联系!"}));
    QCOMPARE(dialogs.shown().front().icon, Dialogs::Icon::Warning);
    QVERIFY(!window.currentPage());
    QVERIFY(window.pageHost()->findChildren<QWidget*>().isEmpty());
    QVERIFY(!window.connections().info().isOpen());
    QVERIFY(action(window, "actTFrame8")->isVisible());
    QVERIFY(!action(window, "actTFrame16")->isVisible());
}

void TestMainWindow::wrongServerShowsNetworkEntries()
{
    TestHome home;
    writeBank(home);
    home.writeSetSys({"bde=1", QString("server=127.0.0.1:%1").arg(unusedPort())});
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path());
    QCOMPARE(dialogs.texts(), QStringList({"无法连续到用户信息数据库，程序无法正常运行！\n"
                                           "请稍后在>系统设置>网络数据连接设置,重新设置!"}));
    QVERIFY(window.connections().infoOpenFailed());
    QVERIFY(action(window, "actTFrame8")->isVisible());
    QVERIFY(action(window, "actTFrame16")->isVisible());
    // The program runs on with the home page.
    QCOMPARE(window.currentPageClass(), QString("TFrame9"));
}

void TestMainWindow::entriesWithoutPageAreDisabled()
{
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    PageCatalog catalog; // nothing but the analysis page
    catalog.add("TFrame10", [](const PageContext&, QWidget* parent) { return new QWidget(parent); });
    Tmainf window(home.path(), catalog);
    QVERIFY(!window.currentPage()); // no home page to open
    QVERIFY(!window.findChild<QToolButton*>("btnHome")->isEnabled());
    QVERIFY(!window.findChild<QToolButton*>("btnTesting")->isEnabled());
    QVERIFY(!window.findChild<QToolButton*>("btnSubjects")->isEnabled());
    QVERIFY(window.findChild<QToolButton*>("btnAnalysis")->isEnabled());
    QVERIFY(action(window, "actTFrame10")->isEnabled());
    QVERIFY(!action(window, "actTFrame18")->isEnabled());
    QVERIFY(!action(window, "actBackup")->isEnabled());
    QVERIFY(window.findChild<QToolButton*>("btnExit")->isEnabled());
    // The captions and order of the toolbar.
    QStringList captions;
    for (auto* button : window.findChild<QWidget*>("toolBar")->findChildren<QToolButton*>(
             QString(), Qt::FindDirectChildrenOnly))
        if (button->objectName().startsWith("btn"))
            captions << button->text();
    QCOMPARE(captions, QStringList({"首页", "用户管理", "项目测试", "结果测评", "数据分析", "报表打印",
                                    "数据维护", "系统设置", "退出"}));
    QStringList reportEntries;
    for (QAction* a : window.findChild<QMenu*>("menuReports")->actions())
        reportEntries << (a->isSeparator() ? QString("-") : a->text());
    QCOMPARE(reportEntries,
             QStringList({"试题集打印", "测试单打印", "-", "个人单项式报表", "个人总项式报表"}));
    QStringList settingsEntries;
    for (QAction* a : window.findChild<QMenu*>("menuSettings")->actions())
        settingsEntries << a->text();
    QCOMPARE(settingsEntries,
             QStringList({"网络数据库初始化", "网络数据连接设置", "使用单位信息设置", "中文输入法设置"}));
}

void TestMainWindow::pickingAnEntryFreesThePreviousPage()
{
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path(), fakeCatalog(QSize(300, 200)));
    window.show();
    QPointer<QWidget> first = window.currentPage();
    QVERIFY(first);
    // The same entry again: a fresh home page replaces the one on screen.
    QTest::mouseClick(window.findChild<QToolButton*>("btnHome"), Qt::LeftButton);
    QPointer<QWidget> second = window.currentPage();
    QVERIFY(second && second != first);
    QTRY_VERIFY(first.isNull());
    // Another entry frees the home page.
    action(window, "actTFrame10")->trigger();
    QCOMPARE(window.currentPageClass(), QString("TFrame10"));
    QTRY_VERIFY(second.isNull());
    QCOMPARE(window.pageHost()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    // A runner left in the launcher goes with it.
    QVERIFY(window.openPage("TFrame3"));
    QPointer<QWidget> runner = new QWidget(window.currentPage());
    QTest::mouseClick(window.findChild<QToolButton*>("btnResults"), Qt::LeftButton);
    QCOMPARE(window.currentPageClass(), QString("TFrame2"));
    QTRY_VERIFY(runner.isNull());
}

void TestMainWindow::pagesAreCentredByIntegerHalves_data()
{
    QTest::addColumn<QSize>("pageSize");
    QTest::newRow("smaller, odd difference") << QSize(301, 151);
    QTest::newRow("larger than the host") << QSize(2001, 1501);
}

void TestMainWindow::pagesAreCentredByIntegerHalves()
{
    QFETCH(QSize, pageSize);
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path(), fakeCatalog(pageSize));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.openPage("TFrame2"));
    const QSize host = window.pageHost()->size();
    QWidget* page = window.currentPage();
    QCOMPARE(page->size(), pageSize);
    // Truncated towards zero, also for negative offsets.
    QCOMPARE(page->pos(),
             QPoint((host.width() - pageSize.width()) / 2, (host.height() - pageSize.height()) / 2));
    QVERIFY(page->isVisible());
    // The launcher fills the host instead.
    QVERIFY(window.openPage("TFrame3"));
    QCOMPARE(window.currentPage()->geometry(), window.pageHost()->rect());
    window.resize(window.width() - 40, window.height() - 30);
    QTRY_COMPARE(window.currentPage()->geometry(), window.pageHost()->rect());
}

void TestMainWindow::textEntriesGetTheInputMethodName()
{
    TestHome home;
    writeBank(home);
    home.writeSetSys({"imemode=fcitx-pinyin"});
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path(), fakeCatalog(QSize(200, 100)));
    QVERIFY(window.openPage("TFrame2"));
    QWidget* page = window.currentPage();
    QCOMPARE(static_cast<FakePage*>(page)->fills, 1);
    for (const char* name : {"edit", "memo", "grid"})
        QCOMPARE(page->findChild<QWidget*>(name)->property(kImeNameProperty).toString(),
                 QString("fcitx-pinyin"));
    QVERIFY(!page->findChild<QWidget*>("label")->property(kImeNameProperty).isValid());
    // The same walk is offered to pages that make pages of their own.
    auto* runner = new QWidget(page);
    auto* runnerEdit = new QLineEdit(runner);
    window.pageContext().applyImeName(runner);
    QCOMPARE(runnerEdit->property(kImeNameProperty).toString(), QString("fcitx-pinyin"));
}

void TestMainWindow::pageThatFailsToFillIsDiscarded()
{
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    PageCatalog catalog = PageCatalog::standard();
    catalog.add("TFrame2", [](const PageContext&, QWidget* parent) -> QWidget* {
        new QLineEdit(new QWidget(parent));
        throw DbError("表 jg 不存在");
    });
    Tmainf window(home.path(), catalog);
    QPointer<QWidget> homePage = window.currentPage();
    QVERIFY(!window.openPage("TFrame2"));
    QCOMPARE(dialogs.lastText(), QString("无法打开页面：\n表 jg 不存在"));
    QVERIFY(!window.currentPage());
    QTRY_VERIFY(homePage.isNull());
    QVERIFY(window.pageHost()->findChildren<QWidget*>().isEmpty());
}

void TestMainWindow::noAtTheCloseQuestionKeepsEverythingOpen()
{
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path());
    window.show();
    QSignalSpy closed(&window, &Tmainf::closed);
    dialogs.pushAnswer(Dialogs::Answer::No);
    QTest::mouseClick(window.findChild<QToolButton*>("btnExit"), Qt::LeftButton);
    QCOMPARE(dialogs.texts(), QStringList({"确认要退出程序吗？"}));
    QCOMPARE(dialogs.shown().back().icon, Dialogs::Icon::Information);
    QCOMPARE(dialogs.shown().back().buttons, Dialogs::Buttons::YesNo);
    QVERIFY(window.isVisible());
    QVERIFY(window.connections().info().isOpen());
    QVERIFY(window.connections().bank().isOpen());
    QVERIFY(window.currentPage());
    QCOMPARE(closed.count(), 0);
    // The tray menu's exit asks the same question.
    dialogs.pushAnswer(Dialogs::Answer::No);
    action(window, "actTrayExit")->trigger();
    QCOMPARE(dialogs.texts().size(), 2);
    QVERIFY(window.isVisible());
    QVERIFY(window.connections().info().isOpen());
}

void TestMainWindow::yesClosesInformationThenBank()
{
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path());
    window.show();
    QSignalSpy closed(&window, &Tmainf::closed);
    QPointer<QWidget> page = window.currentPage();
    QVERIFY(window.close()); // the scripted answer is Yes
    QCOMPARE(closed.count(), 1);
    QVERIFY(page.isNull()); // freed before the connections closed
    QVERIFY(!window.connections().info().isOpen());
    QVERIFY(!window.connections().bank().isOpen());
}

void TestMainWindow::homePagePicture()
{
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    {
        // The default name names no file: an empty image and no message.
        Tmainf window(home.path());
        auto* picture = window.currentPage()->findChild<QLabel*>("unitPicture");
        QVERIFY(picture->pixmap().isNull());
        QVERIFY(dialogs.texts().isEmpty());
    }
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(home.file("unit.png")));
    home.writeSetSys({"pic=" + home.file("unit.png")});
    {
        Tmainf window(home.path());
        auto* picture = window.currentPage()->findChild<QLabel*>("unitPicture");
        QCOMPARE(picture->pixmap().size(), QSize(40, 30));
    }
    // A relative name not found in the working directory is looked for in the program directory.
    home.writeSetSys({"pic=unit.png"});
    {
        Tmainf window(home.path());
        QCOMPARE(window.currentPage()->findChild<QLabel*>("unitPicture")->pixmap().size(), QSize(40, 30));
    }
    // A file that is no picture leaves the image empty.
    QFile broken(home.file("broken.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    home.writeSetSys({"pic=" + home.file("broken.jpg")});
    {
        Tmainf window(home.path());
        QVERIFY(window.currentPage()->findChild<QLabel*>("unitPicture")->pixmap().isNull());
    }
}

void TestMainWindow::splashShowsMainWindowOnThirdTick()
{
    TestHome home;
    writeBank(home);
    ScopedScriptedDialogs dialogs;
    Tmainf window(home.path());
    auto* splash = new Tlogf(&window, 30);
    QSignalSpy shown(splash, &Tlogf::mainWindowShown);
    QList<bool> visibleAfterTick;
    connect(splash, &Tlogf::ticked, this, [&] { visibleAfterTick << window.isVisible(); });
    splash->show();
    QCOMPARE(splash->size(), QSize(400, 273));
    QTRY_COMPARE(shown.count(), 1);
    QCOMPARE(visibleAfterTick, QList<bool>({false, false, true}));
    QVERIFY(window.isVisible());
    QVERIFY(!splash->isTicking());
    QTest::qWait(100);
    QCOMPARE(splash->ticks(), 3);
    // The splash stays until the end.
    QVERIFY(splash->isVisible());
    delete splash;
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
