// The page classes the main window can host, each with the factory that creates and fills it.
#pragma once

#include "shell/PageContext.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// Creates a page as a child of the given parent and fills it.
using PageFactory = std::function<QWidget*(const PageContext& context, QWidget* parent)>;
// Runs a toolbar command that opens no page (database backup and restore).
using PageCommand = std::function<void(const PageContext& context)>;

// The usual factory: a page class with a (context, parent) constructor and a public fill().
template <typename Page> QWidget* makePage(const PageContext& context, QWidget* parent)
{
    auto* page = new Page(context, parent);
    page->fill();
    return page;
}

class PageCatalog {
public:
    // Every page class the main window knows, in the order colseframe frees them.
    static const QStringList& pageClasses();

    // The pages built so far. An entry without a factory is shown disabled.
    static PageCatalog standard();

    void add(const QString& pageClass, PageFactory factory);
    bool has(const QString& pageClass) const { return bool(m_factories.value(pageClass)); }
    PageFactory factory(const QString& pageClass) const { return m_factories.value(pageClass); }

    // Commands by name: "backup" and "restore".
    void addCommand(const QString& name, PageCommand command);
    bool hasCommand(const QString& name) const { return bool(m_commands.value(name)); }
    PageCommand command(const QString& name) const { return m_commands.value(name); }

private:
    QHash<QString, PageFactory> m_factories;
    QHash<QString, PageCommand> m_commands;
};
