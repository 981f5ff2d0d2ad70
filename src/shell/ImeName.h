// The configured input-method name on every text-entry control of a page.
#pragma once

#include <QString>

class QObject;

// The dynamic property that carries the name. Qt has no per-control input method on Linux, so
// the name is recorded on the control for the input-method integration to read.
inline constexpr const char* kImeNameProperty = "imeName";

// Walks the children of a container recursively and sets the name on every line edit, text
// edit and item view (grids, trees) among them.
void ApplyImeName(QObject* container, const QString& imeName);
