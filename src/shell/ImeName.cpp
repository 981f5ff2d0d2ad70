// Setting the input-method name on text-entry controls.
#include "ImeName.h"

#include <QObject>

namespace {

// By class name, so that this core library needs no widgets.
bool isTextEntry(const QObject* object)
{
    static const char* const kinds[] = {"QLineEdit", "QTextEdit", "QPlainTextEdit", "QAbstractItemView"};
    for (const char* kind : kinds)
        if (object->inherits(kind))
            return true;
    return false;
}

} // namespace

void ApplyImeName(QObject* container, const QString& imeName)
{
    if (!container)
        return;
    for (QObject* child : container->children()) {
        if (isTextEntry(child))
            child->setProperty(kImeNameProperty, imeName);
        ApplyImeName(child, imeName);
    }
}
