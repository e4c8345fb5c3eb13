#pragma once

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "maintenance/MaintenanceDialogs.h"
#include "maintenance/TableConnection.h"

// A private copy of the seed tables behind the windows' connection.
class TableCopy {
public:
    TableCopy() {
        const QString file = m_dir.filePath(QStringLiteral("zvb.db"));
        QFile::copy(QStringLiteral(SEED_DATABASE), file);
        QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        m_ok = convertor::openTableConnection(file);
    }
    ~TableCopy() { QSqlDatabase::database(convertor::kTableConnection, false).close(); }

    bool ok() const { return m_ok; }
    static bool exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery query(QSqlDatabase::database(convertor::kTableConnection));
        query.prepare(sql);
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        return query.exec();
    }
    static QStringList column(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery query(QSqlDatabase::database(convertor::kTableConnection));
        query.prepare(sql);
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        QStringList result;
        if (query.exec()) {
            while (query.next()) {
                result.append(query.value(0).toString());
            }
        }
        return result;
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// Answers the confirmation boxes and records what the windows asked and warned.
struct DialogRecorder {
    bool answer = true;
    QStringList asked;
    QStringList warned;

    convertor::MaintenanceDialogs dialogs() {
        convertor::MaintenanceDialogs result;
        result.confirm = [this](QWidget*, const QString& text) {
            asked.append(text);
            return answer;
        };
        result.warn = [this](QWidget*, const QString& text) { warned.append(text); };
        return result;
    }
};

template <typename T = QWidget>
T* child(QWidget* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        qWarning("no child named %s", name);
    }
    return found;
}

inline QLineEdit* field(QWidget* window, int number) {
    return window->findChild<QLineEdit*>(QStringLiteral("dxDBEdit%1").arg(number));
}

inline QString message(QWidget* window) {
    return child<QLabel>(window, "errorMessage")->text();
}

inline bool onDetailPage(QWidget* window) {
    return child<QStackedWidget>(window, "pages")->currentIndex() == 1;
}

inline QTableView* grid(QWidget* window) {
    return child<QTableView>(window, "grid");
}

inline QStringList gridColumn(QWidget* window, int column) {
    QAbstractItemModel* model = grid(window)->model();
    QStringList values;
    for (int row = 0; row < model->rowCount(); ++row) {
        values.append(model->index(row, column).data().toString());
    }
    return values;
}

// A key as the operator presses it: to the focused control of the window.
inline void press(QWidget* window, Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == window->window() ? focus : window, key);
}

// Types each text into the detail fields in order; a null text leaves the field as it is.
inline void fill(QWidget* window, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) {
        if (!texts.at(i).isNull()) {
            QLineEdit* edit = field(window, i + 1);
            edit->clear();
            for (const QChar c : texts.at(i)) {
                // Qt Test types only ASCII by character; other letters go as key text.
                QTest::sendKeyEvent(QTest::Click, edit,
                                    c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown,
                                    QString(c), Qt::NoModifier);
            }
        }
    }
}

// The edit fields, buttons, check boxes, tables and table columns of the window that a screen
// reader could not name. A column hidden in the view is still listed by the table.
inline QStringList namelessControls(QWidget* window) {
    QStringList nameless;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (!node) {
            return;
        }
        const QAccessible::Role role = node->role();
        const QString object = node->object() ? node->object()->objectName() : QStringLiteral("?");
        if ((role == QAccessible::EditableText || role == QAccessible::PushButton ||
             role == QAccessible::CheckBox || role == QAccessible::Table) &&
            node->text(QAccessible::Name).trimmed().isEmpty()) {
            nameless.append(object);
        }
        if (QAccessibleTableInterface* table = node->tableInterface()) {
            for (int column = 0; column < table->columnCount(); ++column) {
                if (table->columnDescription(column).trimmed().isEmpty()) {
                    nameless.append(QStringLiteral("%1 column %2").arg(object).arg(column));
                }
            }
            return;  // the cells are the rows' values, not controls
        }
        for (int i = 0; i < node->childCount(); ++i) {
            walk(node->child(i));
        }
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return nameless;
}
