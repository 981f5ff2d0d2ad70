// The home page: the using unit's name, description and picture.
#pragma once

#include "shell/PageContext.h"

#include <QWidget>

class QLabel;

class TFrame9 : public QWidget {
    Q_OBJECT
public:
    TFrame9(const PageContext& context, QWidget* parent = nullptr);
    void fill();

    // The file the picture is loaded from, or empty when there is none to load.
    QString picturePath() const;

private:
    PageContext m_context;
    QLabel* m_name;
    QLabel* m_description;
    QLabel* m_picture;
};
