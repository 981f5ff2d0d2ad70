// The test launcher TFrame3: subject, catalogue tree, "开始测试" and the runner page area.
#pragma once

#include "shell/PageContext.h"
#include "testing/Launcher.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

class TFrame3 : public QWidget {
    Q_OBJECT
public:
    explicit TFrame3(const PageContext& context, QWidget* parent = nullptr);

    void fill();
    // Handlers.
    void RzComboBox1Change(int index);
    void treeNodeClicked(QTreeWidgetItem* item);
    void RzBitBtn1Click(); // 开始测试

    // The runner page on screen, or nullptr.
    QWidget* runnerPage() const { return m_runner; }
    const Catalog& catalog() const { return m_catalog; }

private:
    void freeRunnerPage();
    void buildTree();

    PageContext m_context;
    Catalog m_catalog;
    QComboBox* m_subjects = nullptr;
    QLabel* m_sexLabel = nullptr;
    QLabel* m_birthLabel = nullptr;
    QLabel* m_nameLabel = nullptr;
    QPushButton* m_start = nullptr;
    QTreeWidget* m_tree = nullptr;
    QWidget* m_pageArea = nullptr;
    QWidget* m_runner = nullptr;
    QDate m_birth;
};
