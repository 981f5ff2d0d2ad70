// The home page.
#include "HomePage.h"
#include "Artwork.h"
#include "shell/AppConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QVBoxLayout>

TFrame9::TFrame9(const PageContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("TFrame9"));
    resize(760, 520);

    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("unitNameLabel"));
    QFont nameFont = Artwork::uiFont(24);
    nameFont.setBold(true);
    m_name->setFont(nameFont);
    m_name->setAlignment(Qt::AlignCenter);
    m_name->setTextFormat(Qt::PlainText);
    m_name->setStyleSheet(QStringLiteral("color: #0000ff;"));

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("unitDescriptionLabel"));
    m_description->setFont(Artwork::uiFont(16));
    m_description->setWordWrap(true);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_description->setStyleSheet(QStringLiteral("color: #0000ff;"));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("unitPicture"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumHeight(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    layout->addStretch(1);
    layout->addWidget(m_name);
    layout->addWidget(m_description);
    layout->addWidget(m_picture);
    layout->addStretch(1);
}

QString TFrame9::picturePath() const
{
    if (!m_context.config)
        return {};
    const QString pic = m_context.config->value(QStringLiteral("pic"));
    if (pic.isEmpty())
        return {};
    // A relative name is taken from the working directory; a launcher on Linux seldom starts
    // the program in its own directory, so the program directory is the second place to look.
    QFileInfo info(pic);
    if (info.isRelative() && !info.exists())
        info = QFileInfo(QDir(m_context.config->programDir()).filePath(pic));
    return info.isFile() ? info.absoluteFilePath() : QString();
}

void TFrame9::fill()
{
    if (!m_context.config)
        return;
    m_name->setText(m_context.config->value(QStringLiteral("sydw")));
    m_description->setText(m_context.config->value(QStringLiteral("sydwxx")));
    m_picture->clear();
    m_picture->hide();
    const QString path = picturePath();
    if (path.isEmpty())
        return;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return; // an unreadable picture leaves the image empty, like a missing one
    const QSize room(width() - 48, 300);
    m_picture->show();
    m_picture->setPixmap(
        QPixmap::fromImage(image.size().boundedTo(room) == image.size()
                               ? image
                               : image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
