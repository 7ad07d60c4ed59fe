#pragma once
// The query builder: the clerk picks tables (label files, dBase, Paradox,
// CSV), ticks fields, joins two tables, adds conditions and an order, sees
// the SQL and may edit it by hand, tries it on the first rows, and saves or
// loads queries as .sql files. It hands back the statement, whether it was
// edited by hand, and the tables used.

#include <QDialog>
#include <memory>

#include "app/core/label_session.h"
#include "app/core/query_design.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace dorvana {

class DataSetModel;
class Messages;
class MessageBoxes;

class QueryBuilderDialog : public QDialog {
    Q_OBJECT
public:
    explicit QueryBuilderDialog(const QString& dataDir, QWidget* parent = nullptr,
                                Messages* messages = nullptr);
    ~QueryBuilderDialog() override;

    QueryRequest request() const;

    // What the buttons do, for tests and scripts.
    bool addTable(const QString& path);
    void removeTable(int index);
    void setFieldTicked(const QString& qualified, bool ticked);
    void setJoin(const QString& left, const QString& right);
    void addCondition(const QueryCondition& c);
    void addOrder(const QueryOrder& o);
    void setSqlText(const QString& text);
    bool editedByHand() const { return edited_; }
    // "Vyzkoušet": runs the statement and shows its first rows; false with an error box.
    bool tryQuery();
    bool saveTo(const QString& path);
    bool loadFrom(const QString& path);
    QTableView* preview() const { return preview_; }
    QPlainTextEdit* sqlEditor() const { return sql_; }

private:
    void regenerate();
    void refreshFieldLists();
    QStringList fieldsOf(const QString& path, QString* error) const;
    void pickTable();
    void chooseSave();
    void chooseLoad();

    QString dataDir_;
    std::unique_ptr<MessageBoxes> ownMessages_;
    Messages* messages_;
    QueryDesign design_;
    QList<QStringList> tableFields_;
    bool edited_ = false;
    bool generating_ = false;
    std::unique_ptr<Query> trial_;

    QListWidget* tables_;
    QListWidget* fields_;
    QComboBox* joinLeft_;
    QComboBox* joinRight_;
    QComboBox* condField_;
    QComboBox* condOp_;
    QLineEdit* condValue_;
    QListWidget* conditions_;
    QComboBox* orderField_;
    QCheckBox* orderDesc_;
    QListWidget* orders_;
    QPlainTextEdit* sql_;
    QLabel* editedNote_;
    QTableView* preview_;
    DataSetModel* previewModel_;
};

}  // namespace dorvana
