// Reading Set.SYS at start-up and writing single keys for the settings pages.
#include "AppConfig.h"
#include "IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

struct KeyDefault {
    const char* key;
    const char* value;
};

// Read in this order; the defaults are what a missing key yields.
const KeyDefault kKeys[] = {
    {"sydw", "关爱他人"},     {"sydwxx", "一帆风顺"}, {"pic", "setpi.jpg"}, {"bde", "0"},
    {"name", "sa"},           {"pass", "qv"},         {"server", "qov10"},  {"grona", "心理测评工作站"},
    {"imemode", "imchinese"},
};

// The configuration file of a directory, found without regard to case; the exact name wins
// when both spellings exist.
QString findConfigFile(const QString& dir)
{
    QDir d(dir);
    if (d.exists(AppConfig::fileName()))
        return AppConfig::fileName();
    const QStringList names = d.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names)
        if (name.compare(AppConfig::fileName(), Qt::CaseInsensitive) == 0)
            return name;
    return {};
}

} // namespace

const QStringList& AppConfig::keys()
{
    static const QStringList list = [] {
        QStringList l;
        for (const KeyDefault& k : kKeys)
            l << QString::fromUtf8(k.key);
        return l;
    }();
    return list;
}

QString AppConfig::defaultValue(const QString& key)
{
    for (const KeyDefault& k : kKeys)
        if (key.compare(QLatin1String(k.key), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(k.value);
    return {};
}

QString AppConfig::programDirectory(const QStringList& arguments)
{
    QString home;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--home") && i + 1 < arguments.size())
            home = arguments.at(++i);
        else if (arg.startsWith(QLatin1String("--home=")))
            home = arg.mid(7);
    }
    if (home.isEmpty())
        home = QCoreApplication::applicationDirPath();
    QString path = QDir::cleanPath(QFileInfo(home).absoluteFilePath());
    return path;
}

AppConfig::AppConfig()
{
    for (const KeyDefault& k : kKeys)
        m_values.insert(QString::fromUtf8(k.key), QString::fromUtf8(k.value));
}

AppConfig AppConfig::load(const QString& programDir)
{
    AppConfig config;
    config.m_programDir = programDir;
    config.m_fileName = findConfigFile(programDir);
    if (config.m_fileName.isEmpty())
        return config;
    const IniFile ini = IniFile::load(config.filePath());
    for (const QString& key : keys()) {
        if (const auto v = ini.value(section(), key))
            config.m_values[key] = *v;
    }
    return config;
}

QString AppConfig::filePath() const
{
    return QDir(m_programDir).filePath(m_fileName.isEmpty() ? fileName() : m_fileName);
}

QString AppConfig::value(const QString& key) const
{
    return m_values.value(key.toLower());
}

bool AppConfig::setValue(const QString& key, const QString& value, QString* error)
{
    const QString k = key.toLower();
    if (!m_values.contains(k)) {
        if (error)
            *error = QStringLiteral("未知的配置项: %1").arg(key);
        return false;
    }
    if (!m_programDir.isEmpty()) {
        // Re-read the file so that a change made to it since start-up is kept.
        if (m_fileName.isEmpty())
            m_fileName = findConfigFile(m_programDir);
        IniFile ini = IniFile::load(filePath());
        ini.setValue(section(), k, value);
        QString why;
        if (!ini.save(filePath(), &why)) {
            if (error)
                *error =
                    QStringLiteral("无法写入配置文件 %1：%2").arg(QDir::toNativeSeparators(filePath()), why);
            return false;
        }
        if (m_fileName.isEmpty())
            m_fileName = fileName();
    }
    m_values[k] = value;
    return true;
}

bool AppConfig::isNetworkMode() const
{
    return value(QStringLiteral("bde")) == QLatin1String("1");
}

QString AppConfig::bdeProblem() const
{
    const QString bde = value(QStringLiteral("bde"));
    if (bde == QLatin1String("0") || bde == QLatin1String("1"))
        return {};
    return QStringLiteral(
               "配置文件 %1 中数据库方式 bde 的值“%2”无效，应为 0（本机数据库）或 1（网络数据库）。\n"
               "程序将使用本机数据库运行。")
        .arg(fileName(), bde);
}

QString AppConfig::marqueeText() const
{
    return value(QStringLiteral("sydw")) + QLatin1Char(':') + value(QStringLiteral("sydwxx"));
}
