// The page classes and the factories of the pages that exist.
#include "PageCatalog.h"
#include "HomePage.h"

#include "reports/pages/TFrame2.h"
#include "subjects/pages/TFrame1.h"
#include "testing/pages/LauncherPage.h"

const QStringList& PageCatalog::pageClasses()
{
    static const QStringList classes = {
        QStringLiteral("TFrame1"),  QStringLiteral("TFrame2"),  QStringLiteral("TFrame3"),
        QStringLiteral("TFrame4"),  QStringLiteral("TFrame5"),  QStringLiteral("TFrame6"),
        QStringLiteral("TFrame7"),  QStringLiteral("TFrame8"),  QStringLiteral("TFrame18"),
        QStringLiteral("TFrame9"),  QStringLiteral("TFrame10"), QStringLiteral("TFrame11"),
        QStringLiteral("TFrame12"), QStringLiteral("TFrame13"), QStringLiteral("TFrame14"),
        QStringLiteral("TFrame16"), QStringLiteral("TFrame17"),
    };
    return classes;
}

PageCatalog PageCatalog::standard()
{
    PageCatalog catalog;
    catalog.add(QStringLiteral("TFrame1"), makePage<TFrame1>);
    catalog.add(QStringLiteral("TFrame2"), makePage<TFrame2>);
    catalog.add(QStringLiteral("TFrame3"), makePage<TFrame3>);
    catalog.add(QStringLiteral("TFrame9"), makePage<TFrame9>);
    return catalog;
}

void PageCatalog::add(const QString& pageClass, PageFactory factory)
{
    Q_ASSERT(pageClasses().contains(pageClass));
    m_factories.insert(pageClass, std::move(factory));
}

void PageCatalog::addCommand(const QString& name, PageCommand command)
{
    m_commands.insert(name, std::move(command));
}
