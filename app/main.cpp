// psydesk: the GUI program.
#include "shell/AppConfig.h"
#include "shell/InstanceLock.h"
#include "shell/pages/Artwork.h"
#include "shell/pages/MainWindow.h"
#include "shell/pages/QtDialogs.h"
#include "shell/pages/SplashWindow.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application name stays the executable's own: the instance lock compares the two to
    // tell a live owner from a stale lock.
    QApplication::setApplicationDisplayName(AppConfig::productTitle());
    QApplication::setApplicationVersion(QStringLiteral(PSYDESK_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(Artwork::windowIcon());
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(10);
    QApplication::setFont(font);

    QtDialogs dialogs;
    Dialogs::setInstance(&dialogs);

    int status = 0;
    {
        // One program per user; held until the process ends.
        InstanceLock lock;
        if (!lock.acquireOrExplain()) {
            Dialogs::setInstance(nullptr);
            return 0;
        }

        Tmainf window(AppConfig::programDirectory(QApplication::arguments()));
        QObject::connect(&window, &Tmainf::closed, &app, &QCoreApplication::quit);
        QPointer<Tlogf> splash = new Tlogf(&window);
        splash->show();
        status = QApplication::exec();
        delete splash.data();
    }
    Dialogs::setInstance(nullptr);
    return status;
}
