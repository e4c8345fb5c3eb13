#include "history/HistoryDetail.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSqlRecord>
#include <QVBoxLayout>

#include "history/HistoryModel.h"
#include "refdata/Schema.h"

namespace convertor {

HistoryDetail::HistoryDetail(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pgHistoryDetail"));
    auto* sheet = new QWidget;
    auto* form = new QFormLayout(sheet);
    for (const char* column : schema::runHistory::columns()) {
        const QString name = QString::fromLatin1(column);
        auto* edit = new QLineEdit(sheet);
        edit->setObjectName(QStringLiteral("edt") + name);
        edit->setReadOnly(true);
        edit->setAccessibleName(HistoryModel::caption(name));
        auto* label = new QLabel(HistoryModel::caption(name) + QStringLiteral(" :"), sheet);
        label->setBuddy(edit);
        form->addRow(label, edit);
        m_fields.append(edit);
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(sheet);

    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    back->setObjectName(QStringLiteral("btnBack"));
    back->setAccessibleName(QStringLiteral("Back to the runs"));
    auto* folder = new QPushButton(QStringLiteral("Open &Folder"), this);
    folder->setObjectName(QStringLiteral("btnDetailOpenFolder"));
    folder->setAccessibleName(QStringLiteral("Open the destination folder"));
    connect(back, &QPushButton::clicked, this, &HistoryDetail::backRequested);
    connect(folder, &QPushButton::clicked, this, &HistoryDetail::openFolderRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(folder);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(scroll, 1);
}

void HistoryDetail::showRun(const QSqlRecord& run) {
    for (int i = 0; i < m_fields.size(); ++i) {
        QLineEdit* edit = m_fields.at(i);
        edit->setText(run.value(edit->objectName().mid(3)).toString());
        edit->setCursorPosition(0);
    }
}

QLineEdit* HistoryDetail::field(const char* column) const {
    const QString name = QStringLiteral("edt") + QString::fromLatin1(column);
    for (QLineEdit* edit : m_fields) {
        if (edit->objectName() == name) {
            return edit;
        }
    }
    return nullptr;
}

}  // namespace convertor
